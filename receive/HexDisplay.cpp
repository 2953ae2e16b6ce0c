#include "receive/HexDisplay.h"

#include <optional>

namespace pellow {

namespace {

std::optional<int> HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return std::nullopt;
}

} // namespace

std::string BytesToHexText(std::string_view bytes) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    text.resize(bytes.size() * 3);
    char* out = text.data();
    for (unsigned char byte : bytes) {
        *out++ = digits[byte >> 4];
        *out++ = digits[byte & 0x0F];
        *out++ = ' ';
    }
    return text;
}

std::string HexDisplayToBytes(std::string_view text) {
    std::string bytes;
    bytes.reserve(text.size() / 3 + 1);
    for (std::size_t pos = 0; pos < text.size(); pos += 3) {
        const std::string_view piece = text.substr(pos, 2);
        int value = 0;
        for (char c : piece) {
            const std::optional<int> digit = HexDigitValue(c);
            if (!digit)
                throw EConvertError("'" + std::string(piece) + "' is not a valid integer value");
            value = value * 16 + *digit;
        }
        bytes.push_back(static_cast<char>(value));
    }
    return bytes;
}

} // namespace pellow
