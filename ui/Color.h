#pragma once
// A colour as red, green and blue, 0 … 255 each.

#include <cstdint>

namespace pellow {

struct TColor {
    std::uint8_t R = 0;
    std::uint8_t G = 0;
    std::uint8_t B = 0;
    bool operator==(const TColor&) const = default;
};

inline constexpr TColor clBlack{0, 0, 0};
inline constexpr TColor clWhite{255, 255, 255};

} // namespace pellow
