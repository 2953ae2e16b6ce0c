#pragma once
// A font by name and height in pixels at 96 dpi, with its colour; each toolkit finds the
// nearest face it has.

#include "ui/Color.h"

#include <string>

namespace pellow {

struct TFont {
    std::string Name;
    int PixelHeight = 13;
    TColor Color = clBlack;
    bool operator==(const TFont&) const = default;
};

} // namespace pellow
