#pragma once
// A picture's shapes painted with GDI. GUI thread only.

#include "ui/Picture.h"

#include <windows.h>

namespace pellow {

// Paints the picture with its top-left corner at (left, top).
void PaintPicture(HDC dc, const TPicture& picture, int left, int top);

} // namespace pellow
