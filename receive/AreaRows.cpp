#include "receive/AreaRows.h"

#include <algorithm>

namespace pellow {

namespace {

// A checkpoint every few kilobytes of text keeps finding a row cheap and the index small.
constexpr std::uint64_t CheckpointSpacing = 4096;
constexpr std::size_t MinimumWindow = 64 * 1024;
// Characters read back at a time when looking for a line break before a position.
constexpr std::size_t BackStep = 4096;

} // namespace

RowWalker::RowWalker(int columns) : columns_(std::max(columns, 1)) {
    // No row reads further than this past its start: each of its at most 2 * columns + 1
    // items (hanging blanks included) takes at most four bytes, and a CR looks one ahead.
    margin_ = 8 * static_cast<std::uint64_t>(columns_) + 16;
    // Among pairs, a row reads no further than one character past the width.
    hexMargin_ = static_cast<std::uint64_t>(columns_) + 8;
    // Rows of hex pairs depend only on where in a pair they start.
    std::string pairs;
    while (pairs.size() < margin_ + 6)
        pairs += "00 ";
    for (std::size_t phase = 0; phase < 3; ++phase)
        hexRowLength_[phase] = WrapRow(pairs, phase, columns_, false).next - phase;
}

void RowWalker::Forget() {
    window_.clear();
    windowStart_ = 0;
}

RowEnd RowWalker::Next(const ReceiveText& text, std::uint64_t start) {
    // Text shown as it is stored is wrapped where it stands.
    const std::string_view direct = text.DirectPiece(start);
    if (!direct.empty()) {
        const RowEnd end = WrapRow(direct, 0, columns_, false);
        if (end.complete)
            return {static_cast<std::size_t>(start + end.next), true};
    }
    const std::size_t windowSize = std::max<std::size_t>(MinimumWindow, 2 * margin_);
    for (int attempt = 0; attempt < 2; ++attempt) {
        const std::uint64_t windowEnd = windowStart_ + window_.size();
        if (start < windowStart_ || start >= windowEnd ||
            (windowEnd < text.End() && windowEnd - start < margin_)) {
            windowStart_ = start;
            window_.resize(static_cast<std::size_t>(
                std::min<std::uint64_t>(windowSize, text.End() - start)));
            text.Copy(start, window_.size(), window_.data());
        }
        const std::size_t offset = static_cast<std::size_t>(start - windowStart_);
        const RowEnd end =
            WrapRow(std::string_view(window_).substr(offset), 0, columns_, false);
        if (end.complete || windowStart_ + window_.size() >= text.End())
            return {static_cast<std::size_t>(start + end.next), end.complete};
        window_.clear(); // what was read may have ended before the text did
    }
    return {static_cast<std::size_t>(start), false};
}

RowWalker::Jump RowWalker::JumpHexRows(const ReceiveText& text, std::uint64_t start,
                                       std::int64_t maxRows, std::uint64_t maxPos) const {
    Jump jump{0, start};
    if (text.Empty() || start >= text.End())
        return jump;
    const std::vector<TextRun>& runs = text.Runs();
    std::size_t index = text.RunAt(start);
    if (runs[index].depth == 0)
        return jump;
    // The stretch of pairs this row starts in: neighbouring runs of pairs continue it.
    std::size_t first = index;
    while (first > 0 && runs[first - 1].depth > 0)
        --first;
    std::size_t last = index;
    while (last + 1 < runs.size() && runs[last + 1].depth > 0)
        ++last;
    const std::uint64_t stretchStart = runs[first].textBegin;
    const std::uint64_t stretchEnd = runs[last].textEnd;
    if (stretchEnd < hexMargin_)
        return jump;
    const std::uint64_t limit = std::min(stretchEnd - hexMargin_, maxPos);
    std::uint64_t pos = start;
    std::size_t phase = static_cast<std::size_t>((start - stretchStart) % 3);
    while (jump.rows < maxRows) {
        const std::uint64_t length = hexRowLength_[phase];
        if (phase == 0 && length % 3 == 0) {
            // From the start of a pair every row is the same: count them at once.
            if (pos + length > limit)
                break;
            const std::int64_t rows = std::min<std::int64_t>(
                maxRows - jump.rows, static_cast<std::int64_t>((limit - pos) / length));
            pos += static_cast<std::uint64_t>(rows) * length;
            jump.rows += rows;
            break;
        }
        if (pos + length > limit)
            break;
        pos += length;
        phase = (phase + length) % 3;
        ++jump.rows;
    }
    jump.next = pos;
    return jump;
}

AreaRows::AreaRows(int columns, std::uint64_t origin)
    : walker_(columns), openRowStart_(origin), counted_(origin) {
    checkpoints_.push_back({0, origin});
}

void AreaRows::NoteRow() {
    if (openRowStart_ - checkpoints_.back().pos >= CheckpointSpacing)
        checkpoints_.push_back({completeRows_, openRowStart_});
}

bool AreaRows::Update(const ReceiveText& text, Clock::time_point deadline) {
    int steps = 0;
    for (;;) {
        if ((++steps & 63) == 0 && Clock::now() >= deadline)
            return false;
        // Text shown as it is stored: row after row where it stands.
        const std::string_view direct = text.DirectPiece(openRowStart_);
        std::size_t pos = 0;
        while (!direct.empty()) {
            const RowEnd end = WrapRow(direct, pos, walker_.Columns(), false);
            if (!end.complete)
                break;
            openRowStart_ += end.next - pos;
            pos = end.next;
            ++completeRows_;
            NoteRow();
            if ((++steps & 63) == 0 && Clock::now() >= deadline)
                return false;
        }
        if (pos > 0)
            continue;
        const RowWalker::Jump jump =
            walker_.JumpHexRows(text, openRowStart_, INT64_MAX, text.End());
        if (jump.rows > 0) {
            completeRows_ += jump.rows;
            openRowStart_ = jump.next;
            NoteRow();
            continue;
        }
        const RowEnd end = walker_.Next(text, openRowStart_);
        if (!end.complete)
            break;
        ++completeRows_;
        openRowStart_ = end.next;
        NoteRow();
    }
    counted_ = text.End();
    return true;
}

std::int64_t AreaRows::RowCount() const {
    return completeRows_ - firstRow_ + (openRowStart_ < counted_ ? 1 : 0);
}

const AreaRows::Checkpoint& AreaRows::CheckpointAtOrBeforeRow(std::int64_t row) const {
    auto it = std::upper_bound(checkpoints_.begin(), checkpoints_.end(), row,
                               [](std::int64_t r, const Checkpoint& c) { return r < c.row; });
    return it == checkpoints_.begin() ? *it : *std::prev(it);
}

const AreaRows::Checkpoint& AreaRows::CheckpointAtOrBeforePos(std::uint64_t pos) const {
    auto it = std::upper_bound(checkpoints_.begin(), checkpoints_.end(), pos,
                               [](std::uint64_t p, const Checkpoint& c) { return p < c.pos; });
    return it == checkpoints_.begin() ? *it : *std::prev(it);
}

std::uint64_t AreaRows::RowStart(const ReceiveText& text, std::int64_t row) const {
    const std::int64_t target = firstRow_ + row;
    if (row <= 0)
        return checkpoints_.front().pos;
    if (target >= completeRows_)
        return target == completeRows_ ? openRowStart_ : counted_;
    const Checkpoint& from = CheckpointAtOrBeforeRow(target);
    std::uint64_t pos = from.pos;
    for (std::int64_t r = from.row; r < target;) {
        const RowWalker::Jump jump = walker_.JumpHexRows(text, pos, target - r, text.End());
        if (jump.rows > 0) {
            r += jump.rows;
            pos = jump.next;
            continue;
        }
        pos = walker_.Next(text, pos).next;
        ++r;
    }
    return pos;
}

std::int64_t AreaRows::RowOf(const ReceiveText& text, std::uint64_t pos) const {
    if (pos >= openRowStart_)
        return std::max<std::int64_t>(0, std::min(completeRows_ - firstRow_, RowCount() - 1));
    const Checkpoint& from = CheckpointAtOrBeforePos(pos);
    std::int64_t row = from.row;
    std::uint64_t start = from.pos;
    for (;;) {
        const RowWalker::Jump jump = walker_.JumpHexRows(text, start, INT64_MAX, pos);
        if (jump.rows > 0) {
            row += jump.rows;
            start = jump.next;
            continue;
        }
        const std::uint64_t next = walker_.Next(text, start).next;
        if (pos < next || next == start)
            return row - firstRow_;
        start = next;
        ++row;
    }
}

void AreaRows::DropBefore(std::int64_t row, std::uint64_t pos) {
    const std::int64_t target = firstRow_ + row;
    auto keep = std::upper_bound(checkpoints_.begin(), checkpoints_.end(), target,
                                 [](std::int64_t r, const Checkpoint& c) { return r < c.row; });
    checkpoints_.erase(checkpoints_.begin(), keep);
    checkpoints_.insert(checkpoints_.begin(), Checkpoint{target, pos});
    firstRow_ = target;
    walker_.Forget();
}

std::uint64_t AreaRows::RowStartNear(const ReceiveText& text, std::uint64_t pos,
                                     std::uint64_t limit, bool& exact) const {
    exact = true;
    pos = std::min(pos, text.End());
    if (text.Empty())
        return pos;
    // Back to a place where a row surely starts.
    std::uint64_t anchor = text.Begin();
    std::uint64_t searched = 0;
    std::uint64_t cursor = pos;
    std::string piece;
    bool found = cursor == text.Begin();
    while (!found && cursor > text.Begin()) {
        const TextRun& run = text.Runs()[text.RunAt(cursor - 1)];
        if (run.depth > 0) {
            cursor = run.textBegin;
            continue;
        }
        const std::uint64_t from = std::max({run.textBegin, cursor - std::min<std::uint64_t>(cursor, BackStep)});
        // One character more before, to see the CR of a CR LF at the edge.
        const std::uint64_t readFrom = from > text.Begin() ? from - 1 : from;
        piece = text.Slice(readFrom, cursor - readFrom);
        for (std::size_t i = piece.size(); i > 0 && readFrom + i > from; --i) {
            if (piece[i - 1] == '\n' && i >= 2 && piece[i - 2] == '\r' && readFrom + i <= pos) {
                anchor = readFrom + i;
                found = true;
                break;
            }
        }
        searched += cursor - from;
        cursor = from;
        if (!found && searched > limit) {
            exact = false;
            return pos;
        }
    }
    // Forward to the row that holds pos.
    std::uint64_t start = anchor;
    for (;;) {
        const RowWalker::Jump jump = walker_.JumpHexRows(text, start, INT64_MAX, pos);
        if (jump.rows > 0) {
            start = jump.next;
            continue;
        }
        const RowEnd end = walker_.Next(text, start);
        if (!end.complete || end.next > pos || end.next == start)
            return start;
        start = end.next;
    }
}

} // namespace pellow
