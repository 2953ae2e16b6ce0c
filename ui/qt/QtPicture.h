#pragma once
// A picture's shapes painted with Qt. GUI thread only.

#include "ui/Picture.h"

#include <QPixmap>

namespace pellow {

// Null for an empty picture.
QPixmap ToPixmap(const TPicture& picture);

} // namespace pellow
