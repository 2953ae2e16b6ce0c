#include "receive/CellGlyphs.h"

namespace pellow {

std::u16string CellGlyphs(CellKind kind, char32_t codePoint, unsigned char byte) {
    switch (kind) {
    case CellKind::Text:
        if (codePoint < 0x10000)
            return std::u16string(1, char16_t(codePoint));
        codePoint -= 0x10000;
        return {char16_t(0xD800 + (codePoint >> 10)), char16_t(0xDC00 + (codePoint & 0x3FF))};
    case CellKind::Control:
        return {u'^', codePoint == 0x7F ? u'?' : char16_t(u'@' + codePoint)};
    case CellKind::Invalid:
    case CellKind::Pending: {
        constexpr char16_t digits[] = u"0123456789ABCDEF";
        return {u'\\', u'x', digits[byte >> 4], digits[byte & 15]};
    }
    default:
        return {};
    }
}

std::optional<TColor> CellInk(CellKind kind) {
    switch (kind) {
    case CellKind::Control:
        return TColor{0x00, 0x80, 0x80};
    case CellKind::Invalid:
    case CellKind::Pending:
        return TColor{0xC0, 0x30, 0x00};
    default:
        return std::nullopt;
    }
}

} // namespace pellow
