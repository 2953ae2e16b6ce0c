#pragma once
// How the values of the settings file are understood when loading.

#include <array>
#include <string>

namespace pellow {

// The file is loaded only when the HEX flag of entry 12 is exactly "0" or "1".
bool IsValidityMark(const std::string& value);

// A HEX flag checks its box unless it is exactly "0" (a missing flag checks it too).
bool FlagChecks(const std::string& value);

// The item indices of the four parameter boxes (rate, byte size, stop bits, parity) from
// their stored texts. When any of them is not a decimal integer, or names no item of its
// box, all four take their defaults (5, 3, 0, 0: 9600, 8, 1, None).
std::array<int, 4> ParameterIndices(const std::array<std::string, 4>& values,
                                    const std::array<int, 4>& itemCounts);

inline constexpr std::array<int, 4> DefaultParameterIndices = {5, 3, 0, 0};

} // namespace pellow
