// The receive area's text and rows, driven as the receive view drives them (blocks of text
// and of hex, lines of its own, clears, hex switches both ways, width changes, rows
// counted again in slices, the oldest rows dropped), against the same operations on a
// plain string: the text, the bytes a save writes, the rows and the row of any position.

#include "FuzzCheck.h"
#include "PlainArea.h"
#include "receive/AreaRows.h"
#include "receive/DropOldestRows.h"
#include "receive/HexDisplay.h"
#include "receive/ReceiveText.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

using pellow::fuzz::Require;

namespace {

// Hex of hex triples the text, and reading a character of deep hex expands it whole: the
// switch to hex is tried while it gives no more than this.
constexpr std::size_t HexSwitchLimit = 2048;

// The view's handling of its text and rows, without the window.
struct Area {
    pellow::ReceiveText text;
    pellow::AreaRows rows;
    int columns;
    bool rewrapping = false;

    // Chunks and blocks of a few bytes, so that short inputs reach across their edges.
    Area(int width, std::size_t chunkSize, std::size_t blockSize)
        : text(chunkSize, blockSize), rows(width), columns(width) {}

    // Appending counts only the new rows, unless lone breaks became CR LF throughout.
    template <typename Change>
    void Grow(const Change& change) {
        const bool wholeTextChanges = text.HasLoneLineBreak();
        change();
        if (wholeTextChanges && !text.HasLoneLineBreak())
            Rewrap();
        else if (!rewrapping)
            rows.Update(text);
    }
    void Rewrap() {
        rows = pellow::AreaRows(columns, text.Begin());
        Slice();
    }
    // One slice of counting, stopped early whatever the time.
    void Slice() { rewrapping = !rows.Update(text, pellow::AreaRows::Clock::time_point::min()); }
    void Finish() {
        rows.Update(text);
        rewrapping = false;
    }
};

// `pick` chooses which rows and positions are looked at.
void Check(Area& area, const pellow::PlainArea& plain, std::minstd_rand& pick) {
    area.Finish();
    const pellow::ReceiveText& text = area.text;
    const std::string& expected = plain.text;
    const std::uint64_t begin = text.Begin();
    Require(text.Size() == expected.size(), "the size of the text");
    Require(text.Slice(begin, text.Size()) == expected, "the text");
    std::string saved;
    text.ForEachPiece(begin, text.End(), [&](std::string_view piece) { saved += piece; });
    Require(saved == expected, "the bytes a save writes");
    Require(text.HasLoneLineBreak() == plain.HasLone(), "lone line breaks");
    Require(text.EndsWithLineBreak() == plain.EndsWithLineBreak(), "a final line break");

    // Rows at both ends and a few picked by the input, and the positions around their
    // starts: finding each costs time in proportion to the text, so not every one is tried.
    const pellow::PlainRows rows(expected, area.columns);
    Require(area.rows.RowCount() == rows.Count(), "the number of rows");
    std::vector<std::int64_t> someRows = {0, 1, rows.Count() - 1, rows.Count(), rows.Count() + 1};
    for (int i = 0; i < 4; ++i)
        someRows.push_back(static_cast<std::int64_t>(pick() % static_cast<std::uint64_t>(rows.Count() + 1)));
    std::vector<std::size_t> offsets;
    for (int i = 0; i < 4; ++i)
        offsets.push_back(pick() % (expected.size() + 1));
    for (const std::int64_t row : someRows) {
        const std::size_t start = rows.Start(row);
        Require(area.rows.RowStart(text, row) == begin + start, "where a row starts");
        offsets.insert(offsets.end(), {start, start + 1});
        if (start > 0)
            offsets.push_back(start - 1);
    }
    for (const std::size_t offset : offsets) {
        if (offset > expected.size())
            continue;
        Require(area.rows.RowOf(text, begin + offset) == rows.RowOf(offset), "the row of a position");
        if (offset == expected.size())
            continue;
        Require(text.At(begin + offset) == expected[offset], "the character at a position");
        bool exact = false;
        const std::uint64_t near = area.rows.RowStartNear(text, begin + offset, 1 << 20, exact);
        Require(exact && near == begin + rows.Start(rows.RowOf(offset)),
                "the start of a row found near a position");
        const std::string_view direct = text.DirectPiece(begin + offset);
        Require(direct == std::string_view(expected).substr(offset, direct.size()),
                "bytes shown as they are stored");
        const std::size_t count = std::min<std::size_t>(expected.size() - offset, 1 + offset % 97);
        Require(text.Slice(begin + offset, count) == expected.substr(offset, count), "a piece of the text");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    std::minstd_rand pick(static_cast<std::uint32_t>(
        std::hash<std::string_view>()({reinterpret_cast<const char*>(data), size})));
    const int chunkShift = input.ConsumeIntegralInRange(0, 9);
    const int blockShift = input.ConsumeIntegralInRange(0, chunkShift);
    Area area(input.ConsumeIntegralInRange(1, 40), std::size_t(1) << chunkShift,
              std::size_t(1) << blockShift);
    pellow::PlainArea plain;

    for (int step = 0; step < 64 && input.remaining_bytes() > 0; ++step) {
        const auto op = input.ConsumeIntegral<std::uint8_t>();
        switch (op % 12) {
        case 0:
        case 1:
        case 2: {
            const std::string block = input.ConsumeRandomLengthString(128);
            area.Grow([&] { area.text.AppendNormalised(block); });
            plain.AppendNormalised(block);
            break;
        }
        case 3:
        case 4: {
            const std::string block = input.ConsumeRandomLengthString(128);
            area.Grow([&] { area.text.AppendHex(block); });
            plain.AppendHex(block);
            break;
        }
        case 5: {
            const std::string line = input.ConsumeRandomLengthString(128);
            area.Grow([&] { pellow::AddLine(area.text, line); });
            plain.AddLine(line);
            break;
        }
        case 6:
            area.text.Clear();
            plain.text.clear();
            area.Rewrap();
            break;
        case 7:
            if (3 * plain.text.size() > HexSwitchLimit)
                break;
            try {
                area.text.ToHex();
            } catch (const std::length_error&) {
                break; // hex of hex too deep: refused, the text stays
            }
            plain.ToHex();
            area.Rewrap();
            break;
        case 8: {
            bool plainFailed = false;
            try {
                plain.FromHex();
            } catch (const pellow::EConvertError&) {
                plainFailed = true;
            }
            bool areaFailed = false;
            try {
                area.text.FromHex();
                area.Rewrap();
            } catch (const pellow::EConvertError&) {
                areaFailed = true;
            }
            Require(areaFailed == plainFailed, "the switch to text fails where the plain one does");
            break;
        }
        case 9:
            area.columns = input.ConsumeIntegralInRange(1, 40);
            area.Rewrap();
            break;
        case 10:
            if (area.rewrapping)
                area.Slice();
            break;
        case 11: {
            // Past the memory limit, once the rows are counted: from about this far in.
            const auto eighths = input.ConsumeIntegralInRange<std::uint64_t>(0, 8);
            if (area.rewrapping || area.text.Size() < 2)
                break;
            const std::uint64_t begin = area.text.Begin();
            const auto dropped = pellow::DropRowsBefore(area.text, area.rows,
                                                        begin + area.text.Size() * eighths / 8);
            if (dropped)
                plain.DropFront(static_cast<std::size_t>(dropped->text - begin));
            break;
        }
        }
        if ((op & 0xE0) == 0xE0) // now and then along the way, always at the end
            Check(area, plain, pick);
    }
    Check(area, plain, pick);
    return 0;
}
