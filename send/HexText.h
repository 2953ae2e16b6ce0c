#pragma once
// Hexadecimal text as typed into the send area or a send-list entry: pairs of digits,
// blanks anywhere and ignored. Pure functions; any thread.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace pellow {

// The one message every caller shows when HexTextToBytes fails.
inline constexpr const char* HexNotHexMessage =
    "Can not be sent in HEX mode, the Data is not HEX totally!";

// Value of exactly two upper-case hex digits ("0".."9", "A".."F"), 0 to 255.
std::uint8_t HexPairValue(std::string_view pair);

// The bytes that trimmed hex text stands for, or nullopt at the first character that is
// not a hex digit or a blank. No partial result. A lone final digit is the high half of
// the last byte ("ABC" gives AB C0); text without digits gives an empty string.
std::optional<std::string> HexTextToBytes(std::string_view text);

} // namespace pellow
