#pragma once
// Fonts on the Windows API: a face the system may lack is looked for among fixed-pitch
// faces when it is one, so text keeps its width. GUI thread only.

#include "ui/Font.h"

#include <windows.h>

namespace pellow {

// A font handle owned by whoever holds it.
class Win32Font {
public:
    Win32Font() = default;
    explicit Win32Font(const TFont& font);
    ~Win32Font();
    Win32Font(Win32Font&& other) noexcept : font_(other.font_) { other.font_ = nullptr; }
    Win32Font& operator=(Win32Font&& other) noexcept;

    HFONT Handle() const { return font_; }

private:
    HFONT font_ = nullptr;
};

} // namespace pellow
