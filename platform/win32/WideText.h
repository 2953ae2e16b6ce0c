#pragma once
// The Windows API's UTF-16 text as the UTF-8 the rest of the program uses, and the
// system's reason for an error code. Any thread.

#include <string>
#include <string_view>

namespace pellow {

std::string Utf8FromWide(std::wstring_view text);

// The system's message for a GetLastError() code, without its trailing line break.
std::string SystemErrorText(unsigned long code);

} // namespace pellow
