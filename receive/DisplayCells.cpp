#include "receive/DisplayCells.h"

namespace pellow {

namespace {

struct Range {
    char32_t first;
    char32_t last;
};

// East Asian Wide and Fullwidth blocks; enough for a terminal's cell grid.
constexpr Range WideRanges[] = {
    {0x1100, 0x115F},   {0x231A, 0x231B},   {0x2329, 0x232A},   {0x23E9, 0x23EC},
    {0x2E80, 0x303E},   {0x3041, 0x33FF},   {0x3400, 0x4DBF},   {0x4E00, 0x9FFF},
    {0xA000, 0xA4CF},   {0xA960, 0xA97F},   {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},
    {0xFE10, 0xFE19},   {0xFE30, 0xFE6F},   {0xFF00, 0xFF60},   {0xFFE0, 0xFFE6},
    {0x1F300, 0x1F64F}, {0x1F900, 0x1F9FF}, {0x20000, 0x2FFFD}, {0x30000, 0x3FFFD},
};

bool IsContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

CellItem Invalid(unsigned char byte) {
    return {CellKind::Invalid, 1, static_cast<std::uint8_t>(InvalidByteCells), byte};
}

} // namespace

int CharacterCells(char32_t codePoint) {
    if (codePoint < 0x1100)
        return 1;
    for (const Range& range : WideRanges) {
        if (codePoint < range.first)
            return 1;
        if (codePoint <= range.last)
            return 2;
    }
    return 1;
}

CellItem DecodeCellItem(std::string_view bytes, std::size_t pos, int column, bool final) {
    const auto byte = static_cast<unsigned char>(bytes[pos]);
    if (byte < 0x80) {
        if (byte == '\r') {
            if (pos + 1 < bytes.size())
                return bytes[pos + 1] == '\n' ? CellItem{CellKind::LineBreak, 2, 0, '\n'}
                                              : CellItem{CellKind::Control, 1, ControlCells, '\r'};
            return final ? CellItem{CellKind::Control, 1, ControlCells, '\r'}
                         : CellItem{CellKind::Pending, 1, 0, 0};
        }
        if (byte == ' ')
            return {CellKind::Blank, 1, 1, ' '};
        if (byte == '\t')
            return {CellKind::Tab, 1, static_cast<std::uint8_t>(TabCells - column % TabCells),
                    '\t'};
        if (byte < 0x20 || byte == 0x7F)
            return {CellKind::Control, 1, ControlCells, byte};
        return {CellKind::Text, 1, 1, byte};
    }

    // Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
    int length = 0;
    char32_t codePoint = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (byte >= 0xC2 && byte <= 0xDF) {
        length = 2;
        codePoint = byte & 0x1F;
    } else if (byte >= 0xE0 && byte <= 0xEF) {
        length = 3;
        codePoint = byte & 0x0F;
        if (byte == 0xE0)
            low = 0xA0;
        else if (byte == 0xED)
            high = 0x9F;
    } else if (byte >= 0xF0 && byte <= 0xF4) {
        length = 4;
        codePoint = byte & 0x07;
        if (byte == 0xF0)
            low = 0x90;
        else if (byte == 0xF4)
            high = 0x8F;
    } else {
        return Invalid(byte);
    }
    for (int i = 1; i < length; ++i) {
        if (pos + i >= bytes.size())
            return final ? Invalid(byte) : CellItem{CellKind::Pending, 1, 0, 0};
        const auto next = static_cast<unsigned char>(bytes[pos + i]);
        if (!IsContinuation(next) || (i == 1 && (next < low || next > high)))
            return Invalid(byte);
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    return {CellKind::Text, static_cast<std::uint8_t>(length),
            static_cast<std::uint8_t>(CharacterCells(codePoint)), codePoint};
}

} // namespace pellow
