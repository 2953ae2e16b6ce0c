#pragma once
// The interval edits of automatic and cyclic sending. Pure functions; any thread.

#include <cstdint>
#include <optional>
#include <string_view>

namespace pellow {

inline constexpr const char* AutoSendSettingWrongMessage = "Auto send setting wrong";
inline constexpr const char* CycleSendSettingWrongMessage = "Circular send setting wrong";

// The interval in milliseconds that the edit's text sets: a decimal number, optionally
// signed, within 32 bits and not negative (a timer cannot wait a negative time). nullopt
// for anything else, the empty text included; the timer then keeps its old interval.
std::optional<std::int32_t> ParseSendInterval(std::string_view text);

// Key filter of the interval edits: only the digits and backspace (0x08) pass.
bool IsIntervalKey(char key);

} // namespace pellow
