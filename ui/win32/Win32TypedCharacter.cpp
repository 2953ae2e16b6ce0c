#include "ui/win32/Win32TypedCharacter.h"

#include "ui/win32/Win32Window.h"

namespace pellow {

std::string Win32TypedCharacter::Take(WPARAM unit) {
    const auto c = static_cast<wchar_t>(unit);
    if (IS_HIGH_SURROGATE(c)) {
        high_ = c;
        return {};
    }
    std::wstring text;
    if (IS_LOW_SURROGATE(c) && high_)
        text += high_;
    high_ = 0;
    text += c;
    return ToBytes(text);
}

} // namespace pellow
