#pragma once
// Paths travel through the program as text (the open-file dialog's name, a message that
// names a file) in the same encoding as every other text: UTF-8. On Windows a path is
// wide, so it is converted to and from UTF-8 here and never through the ANSI code page,
// which cannot hold every name; elsewhere the bytes are taken as they stand.

#include <filesystem>
#include <string>
#include <string_view>

namespace pellow {

inline std::filesystem::path PathFromText(std::string_view text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string PathText(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace pellow
