#pragma once
// The window-free part of the send sequence: what bytes a send source stands for.
// Pure functions; any thread.

#include <optional>
#include <string>
#include <string_view>

namespace pellow {

// Carriage return and line feed, added after the data when "Send newline" is checked.
inline constexpr std::string_view SendNewLine = "\r\n";

// The text without the bytes 0x00..0x20 at either end; bytes inside stay, line breaks
// included. Bytes of 0x80 and above are data, never trimmed.
std::string_view TrimControlBytes(std::string_view text);

// The bytes one send hands over: the source text trimmed, converted from hex text when
// hex is set, then CR LF when newline is set (after the conversion, as raw bytes).
// nullopt when hex text fails the check; nothing may be sent then.
std::optional<std::string> PrepareSendData(std::string_view text, bool hex, bool newline);

} // namespace pellow
