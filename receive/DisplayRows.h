#pragma once
// Word wrap of the receive area into display rows, as a memo shows it: CR LF ends a line;
// a line longer than the width breaks after its last blank that fits, or else before the
// first character that does not fit; blanks at a row's end may stand past the width.
// Pure logic over the bytes; any thread, one owner.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace pellow {

struct RowEnd {
    std::size_t next; // where the following row starts
    bool complete;    // false: the bytes ended inside this row
};

// The row starting at `start`, `columns` cells wide.
RowEnd WrapRow(std::string_view bytes, std::size_t start, int columns, bool final);

// Counts display rows as bytes are appended, in time proportional to the new bytes, and
// finds the start of any row from sparse checkpoints.
class RowIndex {
public:
    explicit RowIndex(int columns = 80);

    int Columns() const { return columns_; }

    // Forget all rows; the next Update wraps everything at the new width.
    void Reset(int columns);

    // `bytes` is the whole content: what was seen before plus what has been appended.
    void Update(std::string_view bytes);

    // Rows with content; an empty last row (after a final CR LF, or of no bytes) is not one.
    std::int64_t RowCount() const;

    // Byte offset where row `row` starts; the end of the bytes for rows past the last.
    std::size_t RowStart(std::string_view bytes, std::int64_t row) const;

    // The row that holds the byte at `offset` (the last row for the end of the bytes).
    std::int64_t RowOf(std::string_view bytes, std::size_t offset) const;

private:
    struct Checkpoint {
        std::int64_t row;
        std::size_t offset;
    };
    const Checkpoint& CheckpointAtOrBeforeRow(std::int64_t row) const;
    const Checkpoint& CheckpointAtOrBeforeOffset(std::size_t offset) const;

    int columns_;
    std::size_t size_ = 0;
    std::int64_t completeRows_ = 0;
    std::size_t openRowStart_ = 0;
    std::vector<Checkpoint> checkpoints_;
};

} // namespace pellow
