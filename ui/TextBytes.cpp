#include "ui/TextBytes.h"

namespace pellow {

namespace {

constexpr char16_t EscapeBase = 0xDC00;
constexpr char16_t FirstEscape = 0xDC80;
constexpr char16_t LastEscape = 0xDCFF;

// The length of the valid UTF-8 sequence at the start of bytes and its code point, or a
// length of 0. Overlong forms, surrogates and values past U+10FFFF are not valid.
std::size_t ValidSequence(std::string_view bytes, char32_t& codePoint) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    }
    if (length == 0 || bytes.size() < length) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const unsigned char b = byte(i);
        if (b < (i == 1 ? low : 0x80) || b > (i == 1 ? high : 0xBF)) {
            return 0;
        }
        codePoint = (codePoint << 6) | (b & 0x3F);
    }
    return length;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
    } else {
        if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        }
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    }
    out += static_cast<char>(0x80 | (c & 0x3F));
}

bool IsHighSurrogate(char32_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char32_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

} // namespace

std::u16string BytesToText(std::string_view bytes) {
    std::u16string text;
    text.reserve(bytes.size());
    while (!bytes.empty()) {
        const auto lead = static_cast<unsigned char>(bytes.front());
        char32_t codePoint = lead;
        const std::size_t length = lead < 0x80 ? 1 : ValidSequence(bytes, codePoint);
        if (length == 0) {
            text += static_cast<char16_t>(EscapeBase + lead);
            bytes.remove_prefix(1);
            continue;
        }
        if (codePoint >= 0x10000) {
            text += static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10));
            text += static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
        } else {
            text += static_cast<char16_t>(codePoint);
        }
        bytes.remove_prefix(length);
    }
    return text;
}

std::string TextToBytes(std::u16string_view text) {
    std::string bytes;
    bytes.reserve(text.size());
    const std::size_t size = text.size();
    for (std::size_t i = 0; i < size; ++i) {
        const char16_t unit = text[i];
        if (unit < 0x80) {
            bytes += static_cast<char>(unit);
        } else if (IsHighSurrogate(unit) && i + 1 < size && IsLowSurrogate(text[i + 1])) {
            const char32_t low = text[++i];
            AppendUtf8(bytes, 0x10000 + ((char32_t(unit) - 0xD800) << 10) + (low - 0xDC00));
        } else if (unit >= FirstEscape && unit <= LastEscape) {
            bytes += static_cast<char>(unit - EscapeBase);
        } else {
            // Other lone surrogates never come from bytes; they keep their 3-byte form.
            AppendUtf8(bytes, unit);
        }
    }
    return bytes;
}

} // namespace pellow
