#pragma once
// The byte counters are decimal texts; adding to one reads it as a 32-bit signed number
// (wrapping past the largest value, as the counter always has) and writes the sum back.

#include <cstdint>
#include <string>

namespace pellow {

// Raises std::invalid_argument when the text is not a decimal 32-bit number.
std::string AddToCounterText(const std::string& counter, std::int64_t n);

} // namespace pellow
