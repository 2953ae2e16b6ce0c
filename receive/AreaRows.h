#pragma once
// The display rows of the receive area's text at one width, as a memo wraps it (see
// WrapRow). Rows are counted as text is appended, in time proportional to the new text,
// and found again from sparse checkpoints; rows of hex pairs follow by arithmetic, so
// neither counting nor finding them reads the pairs. Counting can be done in slices
// with a deadline, for re-wrapping everything after a width change.
// Pure logic; any thread, one owner.

#include "receive/DisplayRows.h"
#include "receive/ReceiveText.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace pellow {

// Steps over the rows of a text at one width: reads the text in windows, or not at all
// where rows of hex pairs can be counted.
class RowWalker {
public:
    explicit RowWalker(int columns);
    int Columns() const { return columns_; }

    // The row starting at `start`, judged as WrapRow does with `final` false.
    RowEnd Next(const ReceiveText& text, std::uint64_t start);

    struct Jump {
        std::int64_t rows = 0;
        std::uint64_t next = 0;
    };
    // Whole rows of hex pairs from `start` on, at most `maxRows` of them and none that
    // reaches past `maxPos`; none where the rows there must be read.
    Jump JumpHexRows(const ReceiveText& text, std::uint64_t start, std::int64_t maxRows,
                     std::uint64_t maxPos) const;

    // Forgets what it has read (the text changed other than at its end).
    void Forget();

private:
    int columns_;
    std::uint64_t margin_;
    std::uint64_t hexMargin_;
    std::uint64_t hexRowLength_[3];
    std::string window_;
    std::uint64_t windowStart_ = 0;
};

class AreaRows {
public:
    using Clock = std::chrono::steady_clock;

    explicit AreaRows(int columns = 80, std::uint64_t origin = 0);

    int Columns() const { return walker_.Columns(); }

    // Counts the rows of what was appended since; stops once `deadline` has passed and
    // returns whether all of the text is counted.
    bool Update(const ReceiveText& text, Clock::time_point deadline = Clock::time_point::max());
    bool CaughtUp(const ReceiveText& text) const { return counted_ == text.End(); }

    // Rows with content so far; an empty last row (after a final CR LF) is not one.
    std::int64_t RowCount() const;
    // The text position where row `row` starts; the end for rows past the last.
    std::uint64_t RowStart(const ReceiveText& text, std::int64_t row) const;
    // The row that holds `pos` (the last row for the end).
    std::int64_t RowOf(const ReceiveText& text, std::uint64_t pos) const;

    // The text before `pos`, where row `row` starts, has been dropped.
    void DropBefore(std::int64_t row, std::uint64_t pos);

    // A row start at or before `pos` found without the checkpoints: after the nearest
    // line break (hex pairs hold none) or at the beginning, when one lies within `limit`
    // characters of text; else `pos` itself, and `exact` is false.
    std::uint64_t RowStartNear(const ReceiveText& text, std::uint64_t pos, std::uint64_t limit,
                               bool& exact) const;

private:
    struct Checkpoint {
        std::int64_t row;
        std::uint64_t pos;
    };
    void NoteRow();
    const Checkpoint& CheckpointAtOrBeforeRow(std::int64_t row) const;
    const Checkpoint& CheckpointAtOrBeforePos(std::uint64_t pos) const;

    mutable RowWalker walker_;
    std::int64_t firstRow_ = 0;     // rows dropped with the oldest text
    std::int64_t completeRows_ = 0; // counting from the first row ever
    std::uint64_t openRowStart_;
    std::uint64_t counted_;
    std::vector<Checkpoint> checkpoints_;
};

} // namespace pellow
