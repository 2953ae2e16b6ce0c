#include "receive/ReceiveText.h"

#include "receive/HexDisplay.h"
#include "receive/LineBreaks.h"
#include "send/SendData.h"

#include <algorithm>
#include <stdexcept>

namespace pellow {

namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";
constexpr std::size_t WorkBuffer = 64 * 1024;

std::uint64_t UnitLength(int depth) {
    std::uint64_t length = 1;
    for (int i = 0; i < depth; ++i)
        length *= 3;
    return length;
}

bool IsControlOrBlankByte(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

// H^depth(c): `c` as hex pairs, the pairs as hex pairs again, `depth` times. `next` is
// room to work in, kept by the caller so that reading character after character does not
// allocate for each.
void ExpandHex(char c, int depth, std::string& out, std::string& next) {
    out.assign(1, c);
    for (int d = 0; d < depth; ++d) {
        next.resize(out.size() * 3);
        char* p = next.data();
        for (unsigned char byte : out) {
            *p++ = HexDigits[byte >> 4];
            *p++ = HexDigits[byte & 0x0F];
            *p++ = ' ';
        }
        out.swap(next);
    }
}

} // namespace

std::uint64_t ReceiveText::RunLone(const TextRun& run) const {
    if (run.end <= run.begin)
        return 0;
    std::uint64_t lone = bytes_.LoneBefore(run.end) - bytes_.LoneBefore(run.begin);
    // The store pairs a CR and LF that stand in neighbouring runs; each run alone does not.
    if (bytes_.At(run.begin) == '\n' && bytes_.Before(run.begin) == '\r')
        ++lone;
    if (bytes_.At(run.end - 1) == '\r' && run.end < bytes_.End() && bytes_.At(run.end) == '\n')
        ++lone;
    return lone;
}

std::uint64_t ReceiveText::UnitsOf(const TextRun& run) const {
    return (run.end - run.begin) + (run.normalised ? RunLone(run) : 0);
}

bool ReceiveText::IsRunLone(const TextRun& run, std::uint64_t pos) const {
    const char c = bytes_.At(pos);
    if (c == '\n')
        return pos == run.begin || bytes_.Before(pos) != '\r';
    if (c == '\r')
        return pos + 1 == run.end || bytes_.At(pos + 1) != '\n';
    return false;
}

// The byte that shows unit `unit` of a normalised run; `sub` is 1 for the LF that a lone
// break shows after its CR.
std::uint64_t ReceiveText::UnitPosition(const TextRun& run, std::uint64_t unit, int& sub) const {
    sub = 0;
    if (!run.normalised)
        return run.begin + unit;
    const bool firstPaired =
        bytes_.At(run.begin) == '\n' && bytes_.Before(run.begin) == '\r';
    if (firstPaired && unit < 2) {
        sub = static_cast<int>(unit);
        return run.begin;
    }
    const std::uint64_t offset = unit - (firstPaired ? 1 : 0);
    const std::uint64_t pos = bytes_.PositionAfterExpansion(run.begin, run.end - 1, offset);
    const std::uint64_t shown =
        pos - run.begin + bytes_.LoneBefore(pos) - bytes_.LoneBefore(run.begin);
    sub = static_cast<int>(offset - shown);
    return pos;
}

// The first unit that byte `pos` of the run shows.
std::uint64_t ReceiveText::UnitOfByte(const TextRun& run, std::uint64_t pos) const {
    if (!run.normalised || pos == run.begin)
        return pos - run.begin;
    const bool firstPaired =
        bytes_.At(run.begin) == '\n' && bytes_.Before(run.begin) == '\r';
    return pos - run.begin + bytes_.LoneBefore(pos) - bytes_.LoneBefore(run.begin) +
           (firstPaired ? 1 : 0);
}

void ReceiveText::CopyFromRun(const TextRun& run, std::uint64_t offset, std::size_t count,
                              char* out) const {
    if (count == 0)
        return;
    if (run.depth == 0 && !run.normalised) {
        bytes_.Copy(run.begin + offset, count, out);
        return;
    }
    const std::uint64_t unitLength = UnitLength(run.depth);
    std::uint64_t unit = offset / unitLength;
    std::size_t skip = static_cast<std::size_t>(offset % unitLength);
    int sub = 0;
    std::uint64_t pos = UnitPosition(run, unit, sub);
    std::string expanded;
    std::string scratch;
    while (count > 0) {
        // The next character the run shows before any hex.
        char c;
        if (!run.normalised) {
            c = bytes_.At(pos++);
        } else if (IsRunLone(run, pos)) {
            c = sub == 0 ? '\r' : '\n';
            if (++sub == 2) {
                sub = 0;
                ++pos;
            }
        } else {
            c = bytes_.At(pos++);
        }
        if (run.depth == 0) {
            *out++ = c;
            --count;
            continue;
        }
        if (run.depth == 1 && skip == 0 && count >= 3) {
            const auto byte = static_cast<unsigned char>(c);
            *out++ = HexDigits[byte >> 4];
            *out++ = HexDigits[byte & 0x0F];
            *out++ = ' ';
            count -= 3;
            continue;
        }
        ExpandHex(c, run.depth, expanded, scratch);
        const std::size_t take = std::min(count, expanded.size() - skip);
        std::copy_n(expanded.data() + skip, take, out);
        out += take;
        count -= take;
        skip = 0;
    }
}

std::size_t ReceiveText::RunAt(std::uint64_t pos) const {
    auto it = std::upper_bound(runs_.begin(), runs_.end(), pos,
                               [](std::uint64_t p, const TextRun& run) { return p < run.textEnd; });
    if (it == runs_.end())
        return runs_.size() - 1;
    return static_cast<std::size_t>(it - runs_.begin());
}

void ReceiveText::Copy(std::uint64_t pos, std::size_t count, char* out) const {
    while (count > 0) {
        const TextRun& run = runs_[RunAt(pos)];
        const std::size_t take =
            static_cast<std::size_t>(std::min<std::uint64_t>(count, run.textEnd - pos));
        CopyFromRun(run, pos - run.textBegin, take, out);
        out += take;
        pos += take;
        count -= take;
    }
}

char ReceiveText::At(std::uint64_t pos) const {
    char c = 0;
    Copy(pos, 1, &c);
    return c;
}

std::string ReceiveText::Slice(std::uint64_t pos, std::uint64_t count) const {
    std::string text(static_cast<std::size_t>(count), '\0');
    Copy(pos, text.size(), text.data());
    return text;
}

std::string_view ReceiveText::DirectPiece(std::uint64_t pos) const {
    if (pos >= End())
        return {};
    const TextRun& run = runs_[RunAt(pos)];
    if (run.depth != 0 || run.normalised)
        return {};
    const std::string_view piece = bytes_.Piece(run.begin + (pos - run.textBegin));
    return piece.substr(0, static_cast<std::size_t>(std::min<std::uint64_t>(piece.size(), run.textEnd - pos)));
}

void ReceiveText::ForEachPiece(std::uint64_t from, std::uint64_t to,
                               const std::function<void(std::string_view)>& piece) const {
    std::string buffer;
    while (from < to) {
        std::string_view direct = DirectPiece(from);
        if (!direct.empty()) {
            direct = direct.substr(0, static_cast<std::size_t>(std::min<std::uint64_t>(direct.size(), to - from)));
            piece(direct);
            from += direct.size();
            continue;
        }
        const TextRun& run = runs_[RunAt(from)];
        const std::size_t take = static_cast<std::size_t>(
            std::min<std::uint64_t>({WorkBuffer, to - from, run.textEnd - from}));
        buffer.resize(take);
        CopyFromRun(run, from - run.textBegin, take, buffer.data());
        piece(buffer);
        from += take;
    }
}

void ReceiveText::Relayout(std::size_t from) {
    for (std::size_t i = from; i < runs_.size(); ++i) {
        TextRun& run = runs_[i];
        run.textBegin = i == 0 ? origin_ : runs_[i - 1].textEnd;
        run.textEnd = run.textBegin + UnitsOf(run) * UnitLength(run.depth);
    }
}

void ReceiveText::MergeNeighbours() {
    std::vector<TextRun> merged;
    for (const TextRun& run : runs_) {
        if (run.end == run.begin)
            continue;
        if (!merged.empty()) {
            TextRun& last = merged.back();
            if (last.depth == run.depth && !last.normalised && !run.normalised &&
                last.end == run.begin) {
                last.end = run.end;
                continue;
            }
        }
        merged.push_back(run);
    }
    runs_.swap(merged);
    Relayout(0);
}

void ReceiveText::PushRun(std::uint8_t depth, bool normalised, std::string_view bytes,
                          bool breaksPaired) {
    if (bytes.empty())
        return;
    const std::uint64_t start = bytes_.End();
    bytes_.Append(bytes);
    if (!runs_.empty()) {
        TextRun& last = runs_.back();
        if (last.depth == depth && last.normalised == normalised && last.end == start) {
            last.end = bytes_.End();
            if (!normalised || breaksPaired)
                last.textEnd += bytes.size() * UnitLength(depth);
            else
                Relayout(runs_.size() - 1);
            return;
        }
    }
    TextRun run;
    run.begin = start;
    run.end = bytes_.End();
    run.depth = depth;
    run.normalised = normalised;
    runs_.push_back(run);
    Relayout(runs_.size() - 1);
}

void ReceiveText::AppendRaw(std::string_view text) {
    loneKnown_ = false;
    PushRun(0, false, text, false);
}

bool ReceiveText::HasLoneLineBreak() const {
    if (!loneKnown_) {
        lone_ = std::any_of(runs_.begin(), runs_.end(), [this](const TextRun& run) {
            return run.depth == 0 && !run.normalised && RunLone(run) > 0;
        });
        loneKnown_ = true;
    }
    return lone_;
}

void ReceiveText::NormaliseAllText() {
    for (TextRun& run : runs_) {
        if (run.depth == 0)
            run.normalised = true;
    }
    Relayout(0);
    loneKnown_ = true;
    lone_ = false;
}

bool ReceiveText::EndsWithLineBreak() const {
    return Size() >= 2 && At(End() - 2) == '\r' && At(End() - 1) == '\n';
}

void ReceiveText::AppendNormalised(std::string_view text) {
    if (!HasLoneLineBreak()) {
        // The text holds no lone break, so it is normalised already and the new text can
        // be normalised alone; a normalised run shows it unchanged too.
        const bool intoNormalised = !runs_.empty() && runs_.back().depth == 0 && runs_.back().normalised;
        PushRun(0, intoNormalised, NormaliseLineBreaks(text), true);
        return;
    }
    // The whole text is normalised: its runs of text are shown normalised from now on
    // instead of being rewritten. A CR that ended the text takes an LF that begins the new
    // text as its pair.
    const bool crAwaitsLf = !text.empty() && runs_.back().depth == 0 &&
                            !runs_.back().normalised && bytes_.At(runs_.back().end - 1) == '\r' &&
                            text.front() == '\n';
    NormaliseAllText();
    if (crAwaitsLf && runs_.back().end == bytes_.End()) {
        PushRun(0, true, "\n", false);
        text.remove_prefix(1);
    }
    PushRun(0, true, NormaliseLineBreaks(text), true);
}

void ReceiveText::AppendHex(std::string_view bytes) {
    if (HasLoneLineBreak())
        NormaliseAllText();
    PushRun(1, false, bytes, true);
}

void ReceiveText::Clear() {
    bytes_.Clear();
    runs_.clear();
    origin_ = 0;
    loneKnown_ = false;
}

void ReceiveText::ToHex() {
    for (const TextRun& run : runs_) {
        if (run.depth >= MaxDepth)
            throw std::length_error("The receive area is too large to show in HEX.");
    }
    for (TextRun& run : runs_)
        ++run.depth;
    loneKnown_ = false;
    MergeNeighbours();
}

std::string ReceiveText::TextOfRun(const TextRun& run) const {
    return Slice(run.textBegin, run.textEnd - run.textBegin);
}

void ReceiveText::FromHex() {
    const bool allHex =
        std::all_of(runs_.begin(), runs_.end(), [](const TextRun& run) { return run.depth > 0; });
    if (!allHex) {
        // Text among the pairs: converted piece by piece as a plain string would be.
        std::string bytes;
        std::string piece;
        const std::uint64_t step = 3 * (WorkBuffer / 3);
        for (std::uint64_t pos = Begin(); pos < End(); pos += step) {
            piece = Slice(pos, std::min<std::uint64_t>(step, End() - pos));
            bytes += HexDisplayToBytes(piece);
        }
        std::string line(TrimControlBytes(bytes));
        line += LineBreak;
        Clear();
        AppendRaw(line);
        return;
    }
    // Every run is whole pairs, so the pairs every three characters are the runs' own
    // bytes one depth down: nothing to convert, nothing that can fail.
    for (TextRun& run : runs_)
        --run.depth;
    loneKnown_ = false;
    MergeNeighbours();
    TrimEnds();
    AppendRaw(LineBreak);
}

// Drops blanks and control characters at both ends, as trim does with a string.
void ReceiveText::TrimEnds() {
    // Leading: runs of text lose their leading bytes; pairs start with a digit.
    while (!runs_.empty()) {
        TextRun& run = runs_.front();
        if (run.depth > 0)
            break;
        while (run.begin < run.end && IsControlOrBlankByte(bytes_.At(run.begin)))
            ++run.begin;
        if (run.begin < run.end)
            break;
        runs_.erase(runs_.begin());
    }
    // Trailing: the store is cut back, so appending continues right after the text.
    while (!runs_.empty()) {
        TextRun& run = runs_.back();
        if (run.depth > 0) {
            // Pairs end in a blank: the last byte's text loses it and stays as text. A CR
            // LF goes together, so that the CR left behind is not shown as a lone one.
            int sub = 0;
            std::uint64_t last = UnitPosition(run, UnitsOf(run) - 1, sub);
            if (run.normalised && bytes_.At(last) == '\n' && last > run.begin &&
                bytes_.At(last - 1) == '\r')
                --last;
            const std::uint64_t unitLength = UnitLength(run.depth);
            const std::uint64_t firstUnitOfLast = UnitOfByte(run, last);
            std::string tail = Slice(run.textBegin + firstUnitOfLast * unitLength,
                                     run.textEnd - (run.textBegin + firstUnitOfLast * unitLength));
            run.end = last;
            bytes_.Truncate(last);
            if (run.end == run.begin)
                runs_.pop_back();
            Relayout(0);
            // The tail starts with a digit, so only its end is trimmed.
            AppendRaw(TrimControlBytes(tail));
            break;
        }
        while (run.end > run.begin && IsControlOrBlankByte(bytes_.At(run.end - 1)))
            --run.end;
        bytes_.Truncate(run.end);
        if (run.end > run.begin)
            break;
        runs_.pop_back();
    }
    Relayout(0);
}

bool ReceiveText::IsByteBoundary(std::uint64_t pos) const {
    if (pos <= Begin() || pos >= End())
        return pos == Begin();
    const TextRun& run = runs_[RunAt(pos)];
    const std::uint64_t unitLength = UnitLength(run.depth);
    const std::uint64_t offset = pos - run.textBegin;
    if (offset % unitLength != 0)
        return false;
    int sub = 0;
    const std::uint64_t byte = UnitPosition(run, offset / unitLength, sub);
    return sub == 0 && !(bytes_.At(byte) == '\n' && bytes_.Before(byte) == '\r');
}

void ReceiveText::DropBefore(std::uint64_t pos) {
    if (pos <= Begin() || pos >= End() || !IsByteBoundary(pos))
        return;
    const std::size_t index = RunAt(pos);
    TextRun run = runs_[index];
    int sub = 0;
    run.begin = UnitPosition(run, (pos - run.textBegin) / UnitLength(run.depth), sub);
    runs_.erase(runs_.begin(), runs_.begin() + static_cast<std::ptrdiff_t>(index));
    runs_.front() = run;
    bytes_.DropBefore(run.begin);
    origin_ = pos;
    loneKnown_ = false;
    Relayout(0);
}

} // namespace pellow
