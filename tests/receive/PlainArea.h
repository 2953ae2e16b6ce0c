#pragma once
// The receive area handled the simple way: its text one string, rewritten whole on every
// change, and its rows found by wrapping that string from the start. The reference that
// the area's own text and rows (ReceiveText, AreaRows) are compared with, by the unit
// tests and by the fuzzer alike.

#include "receive/ReceiveText.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pellow {

struct PlainArea {
    std::string text;

    bool HasLone() const;
    bool EndsWithLineBreak() const;
    // Received text: the whole text, old and new, normalised again.
    void AppendNormalised(std::string_view block);
    void AppendHex(std::string_view bytes);
    // A line of its own, as the window adds the preview and the file-sending lines.
    void AddLine(std::string_view line);
    void ToHex();
    // Throws EConvertError, leaving the text as it was.
    void FromHex();
    // The oldest `count` characters go.
    void DropFront(std::size_t count);
};

// The window's way of adding a line of its own, on the area's own text.
void AddLine(ReceiveText& area, std::string_view line);

// The display rows of a text at one width, found by wrapping it row after row.
class PlainRows {
public:
    PlainRows(std::string_view text, int columns);

    // Rows with content: an empty last row (after a final CR LF) is none.
    std::int64_t Count() const;
    // Where row `row` starts; the end of the text for rows past the last.
    std::size_t Start(std::int64_t row) const;
    // The row that holds the character at `offset` (the last row for the end).
    std::int64_t RowOf(std::size_t offset) const;

private:
    std::vector<std::size_t> starts_; // of the complete rows, then of the open one
    std::size_t size_;
};

} // namespace pellow
