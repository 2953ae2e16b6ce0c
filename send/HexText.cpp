#include "send/HexText.h"

namespace pellow {

namespace {

int HexDigitValue(char digit) {
    if (digit >= '0' && digit <= '9')
        return digit - '0';
    return digit - 'A' + 10;
}

// Upper-case form of an allowed digit, 0 for a blank, nullopt for anything else.
std::optional<char> NormalisedDigit(char c) {
    if (c == ' ')
        return '\0';
    if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))
        return c;
    if (c >= 'a' && c <= 'f')
        return static_cast<char>(c - 'a' + 'A');
    return std::nullopt;
}

} // namespace

std::uint8_t HexPairValue(std::string_view pair) {
    return static_cast<std::uint8_t>(HexDigitValue(pair[0]) * 16 + HexDigitValue(pair[1]));
}

std::optional<std::string> HexTextToBytes(std::string_view text) {
    std::string digits;
    digits.reserve(text.size());
    for (char c : text) {
        const std::optional<char> digit = NormalisedDigit(c);
        if (!digit)
            return std::nullopt;
        if (*digit != '\0')
            digits.push_back(*digit);
    }
    if (digits.size() % 2 != 0)
        digits.push_back('0');

    std::string bytes;
    bytes.reserve(digits.size() / 2);
    for (std::size_t i = 0; i < digits.size(); i += 2)
        bytes.push_back(static_cast<char>(HexPairValue(std::string_view(digits).substr(i, 2))));
    return bytes;
}

} // namespace pellow
