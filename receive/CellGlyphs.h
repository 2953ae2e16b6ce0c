#pragma once
// What a cell of the receive area shows, the same on every toolkit: a decoded character
// as itself, a control character in caret notation (^@, ^A … ^?), which every font can
// show, and a byte that does not decode as \xNN, each of the last two in an ink of its
// own (selected cells take the selection's colours). Any thread.

#include "receive/DisplayCells.h"
#include "ui/Color.h"

#include <optional>
#include <string>

namespace pellow {

// The characters drawn for a cell; none for blanks, tabs and line breaks.
std::u16string CellGlyphs(CellKind kind, char32_t codePoint, unsigned char byte);

// The ink of a cell not drawn in the text's colour.
std::optional<TColor> CellInk(CellKind kind);

} // namespace pellow
