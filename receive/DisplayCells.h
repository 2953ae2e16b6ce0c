#pragma once
// How the receive area's bytes occupy character cells: UTF-8 decoded strictly, wide
// East Asian characters take two cells, control characters two (shown as ^A), and
// each byte that does not decode four ("\xNN"). Pure functions; any thread.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace pellow {

enum class CellKind : std::uint8_t {
    Text,      // a decoded character
    Blank,     // a blank; rows may break after it
    Tab,       // up to the next multiple of eight cells; rows may break after it
    Control,   // a control character other than a CR LF pair
    Invalid,   // one byte that does not decode
    LineBreak, // CR LF: ends the line, takes no cell
    Pending,   // the start of a character or of CR LF cut off by the end of the bytes
};

struct CellItem {
    CellKind kind;
    std::uint8_t length; // bytes
    std::uint8_t cells;
    char32_t codePoint; // the character, or the byte value for Invalid
};

inline constexpr int TabCells = 8;
inline constexpr int ControlCells = 2;
inline constexpr int InvalidByteCells = 4;

// Cells a decoded character takes: 2 for wide East Asian characters, else 1.
int CharacterCells(char32_t codePoint);

// The item starting at pos (< bytes.size()) when it would stand at cell column `column`.
// With `final` false, a character or CR cut off by the end of the bytes gives Pending;
// with `final` true it gives Invalid (or a lone CR as Control).
CellItem DecodeCellItem(std::string_view bytes, std::size_t pos, int column, bool final);

} // namespace pellow
