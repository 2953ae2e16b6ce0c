#include "send/SendData.h"

#include "send/HexText.h"

namespace pellow {

namespace {

bool IsControlOrBlank(char c) {
    return static_cast<unsigned char>(c) <= 0x20;
}

} // namespace

std::string_view TrimControlBytes(std::string_view text) {
    while (!text.empty() && IsControlOrBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsControlOrBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<std::string> PrepareSendData(std::string_view text, bool hex, bool newline) {
    const std::string_view trimmed = TrimControlBytes(text);
    std::string data;
    if (hex) {
        std::optional<std::string> bytes = HexTextToBytes(trimmed);
        if (!bytes)
            return std::nullopt;
        data = std::move(*bytes);
    } else {
        data.assign(trimmed);
    }
    if (newline)
        data.append(SendNewLine);
    return data;
}

} // namespace pellow
