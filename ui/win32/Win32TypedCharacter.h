#pragma once
// The characters WM_CHAR delivers, as the user's bytes: a character beyond the first
// plane comes in two messages, one per surrogate, and is whole only with the second.

#include <windows.h>

#include <string>

namespace pellow {

class Win32TypedCharacter {
public:
    // The bytes of the character completed by this WM_CHAR unit; empty while half a pair.
    std::string Take(WPARAM unit);

private:
    wchar_t high_ = 0;
};

} // namespace pellow
