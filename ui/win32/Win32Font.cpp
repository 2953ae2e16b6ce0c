#include "ui/win32/Win32Font.h"

#include "ui/win32/Win32Window.h"

#include <utility>

namespace pellow {

Win32Font::Win32Font(const TFont& font) {
    LOGFONTW face{};
    face.lfHeight = -font.PixelHeight;
    face.lfCharSet = DEFAULT_CHARSET;
    face.lfQuality = CLEARTYPE_QUALITY;
    const std::wstring name = ToWide(font.Name);
    // The memos' Chinese face is fixed-pitch; where it is missing, a fixed-pitch face stands in.
    if (name == L"\u5B8B\u4F53")
        face.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    name.copy(face.lfFaceName, LF_FACESIZE - 1);
    font_ = ::CreateFontIndirectW(&face);
}

Win32Font::~Win32Font() {
    if (font_)
        ::DeleteObject(font_);
}

Win32Font& Win32Font::operator=(Win32Font&& other) noexcept {
    std::swap(font_, other.font_);
    return *this;
}

} // namespace pellow
