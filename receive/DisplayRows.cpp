#include "receive/DisplayRows.h"

#include "receive/DisplayCells.h"

#include <algorithm>

namespace pellow {

namespace {

// A checkpoint every few kilobytes keeps finding a row cheap and the index small.
constexpr std::size_t CheckpointSpacing = 4096;

} // namespace

RowEnd WrapRow(std::string_view bytes, std::size_t start, int columns, bool final) {
    columns = std::max(columns, 1);
    // Blanks may hang past the width, but not without bound: a run of blanks must not
    // make one row (and every append that rescans it) arbitrarily long.
    const int hangLimit = 2 * columns;
    int column = 0;
    std::size_t pos = start;
    std::size_t breakAfter = 0; // 0: no blank seen in this row yet
    while (pos < bytes.size()) {
        // Printable ASCII, by far the most common, takes one cell and never breaks.
        const auto byte = static_cast<unsigned char>(bytes[pos]);
        if (byte > ' ' && byte < 0x7F) {
            if (column + 1 > columns && pos > start)
                return {breakAfter != 0 ? breakAfter : pos, true};
            ++column;
            ++pos;
            continue;
        }
        const CellItem item = DecodeCellItem(bytes, pos, column, final);
        switch (item.kind) {
        case CellKind::Pending:
            return {pos, false};
        case CellKind::LineBreak:
            return {pos + item.length, true};
        case CellKind::Blank:
        case CellKind::Tab:
            if (column + item.cells > hangLimit && pos > start)
                return {pos, true};
            column += item.cells;
            pos += item.length;
            breakAfter = pos;
            break;
        default:
            if (column + item.cells > columns && pos > start)
                return {breakAfter != 0 ? breakAfter : pos, true};
            column += item.cells;
            pos += item.length;
            break;
        }
    }
    return {pos, false};
}

RowIndex::RowIndex(int columns) {
    Reset(columns);
}

void RowIndex::Reset(int columns) {
    columns_ = std::max(columns, 1);
    size_ = 0;
    completeRows_ = 0;
    openRowStart_ = 0;
    checkpoints_.assign(1, Checkpoint{0, 0});
}

void RowIndex::Update(std::string_view bytes) {
    if (bytes.size() < size_)
        Reset(columns_);
    size_ = bytes.size();
    for (;;) {
        const RowEnd end = WrapRow(bytes, openRowStart_, columns_, false);
        if (!end.complete)
            break;
        ++completeRows_;
        openRowStart_ = end.next;
        if (openRowStart_ - checkpoints_.back().offset >= CheckpointSpacing)
            checkpoints_.push_back(Checkpoint{completeRows_, openRowStart_});
    }
}

std::int64_t RowIndex::RowCount() const {
    return completeRows_ + (openRowStart_ < size_ ? 1 : 0);
}

const RowIndex::Checkpoint& RowIndex::CheckpointAtOrBeforeRow(std::int64_t row) const {
    auto it = std::upper_bound(checkpoints_.begin(), checkpoints_.end(), row,
                               [](std::int64_t r, const Checkpoint& c) { return r < c.row; });
    return *std::prev(it);
}

const RowIndex::Checkpoint& RowIndex::CheckpointAtOrBeforeOffset(std::size_t offset) const {
    auto it = std::upper_bound(checkpoints_.begin(), checkpoints_.end(), offset,
                               [](std::size_t o, const Checkpoint& c) { return o < c.offset; });
    return *std::prev(it);
}

std::size_t RowIndex::RowStart(std::string_view bytes, std::int64_t row) const {
    if (row <= 0)
        return 0;
    if (row >= completeRows_)
        return row == completeRows_ ? openRowStart_ : size_;
    const Checkpoint& from = CheckpointAtOrBeforeRow(row);
    std::size_t offset = from.offset;
    for (std::int64_t r = from.row; r < row; ++r)
        offset = WrapRow(bytes, offset, columns_, false).next;
    return offset;
}

std::int64_t RowIndex::RowOf(std::string_view bytes, std::size_t offset) const {
    if (offset >= openRowStart_)
        return std::max<std::int64_t>(0, std::min(completeRows_, RowCount() - 1));
    const Checkpoint& from = CheckpointAtOrBeforeOffset(offset);
    std::int64_t row = from.row;
    std::size_t start = from.offset;
    for (;;) {
        const std::size_t next = WrapRow(bytes, start, columns_, false).next;
        if (offset < next)
            return row;
        start = next;
        ++row;
    }
}

} // namespace pellow
