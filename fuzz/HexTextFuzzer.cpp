// Hex text as typed into the send area: any input is either refused whole or gives bytes
// that, written back as hex pairs, give the same bytes again.

#include "FuzzCheck.h"
#include "receive/HexDisplay.h"
#include "send/HexText.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using pellow::fuzz::Require;

namespace {

bool IsAllowed(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f') || c == ' ';
}

// The digits the text holds, upper case, without blanks, made even by a final 0.
std::string DigitsOf(std::string_view text) {
    std::string digits;
    for (char c : text) {
        if (c != ' ')
            digits += c >= 'a' ? static_cast<char>(c - 'a' + 'A') : c;
    }
    if (digits.size() % 2 != 0)
        digits += '0';
    return digits;
}

std::string LowerCasePairs(std::string_view bytes) {
    static constexpr char digits[] = "0123456789abcdef";
    std::string text;
    for (unsigned char byte : bytes) {
        text += digits[byte >> 4];
        text += digits[byte & 0x0F];
    }
    return text;
}

std::string WithoutBlanks(std::string text) {
    std::erase(text, ' ');
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<std::string> bytes = pellow::HexTextToBytes(text);

    bool allowed = true;
    for (char c : text)
        allowed = allowed && IsAllowed(c);
    Require(bytes.has_value() == allowed, "accepts exactly digits, a-f, A-F and blanks");
    if (!bytes)
        return 0;

    const std::string pairs = pellow::BytesToHexText(*bytes);
    Require(WithoutBlanks(pairs) == DigitsOf(text), "each pair of digits is one byte, in order");
    Require(pellow::HexTextToBytes(pairs) == bytes, "its hex pairs give the same bytes");
    Require(pellow::HexTextToBytes(LowerCasePairs(*bytes)) == bytes,
            "its lower-case digits without blanks give the same bytes");
    return 0;
}
