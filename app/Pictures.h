#pragma once
// The window's own pictures, drawn rather than loaded so the program needs no image files.

#include "ui/Picture.h"

namespace pellow {

// 16 × 16: a desktop computer (image 0 of imglDesktop: shown while the window stays on
// top) and a sheet of paper with a red arrow pointing down (image 1: normal window).
TPicture DesktopComputerPicture();
TPicture SheetWithArrowPicture();
// 24 × 24: the picture above the Exit button's caption.
TPicture ExitPicture();

} // namespace pellow
