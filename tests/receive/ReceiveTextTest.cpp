// The receive area's text against a plain string that goes through the same operations
// the way the area's text used to be handled: rewritten whole on every change.
#include "PlainArea.h"
#include "receive/AreaRows.h"
#include "receive/HexDisplay.h"
#include "receive/LineBreaks.h"
#include "receive/ReceiveText.h"
#include "send/SendData.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace pellow {
namespace {

std::string RandomBlock(std::mt19937& random) {
    // Line breaks, blanks, hex digits and any byte, so that every path gets its turn.
    static const std::string common = "\r\n\r\n  0123456789ABCDEFab";
    std::string block(random() % 40, '\0');
    for (char& c : block)
        c = random() % 3 == 0 ? static_cast<char>(random()) : common[random() % common.size()];
    return block;
}

// Random appends, lines, clears and hex switches, both ways, at random widths: the text,
// its lone breaks and its rows stay those of the plain string, and rows counted as text
// is appended (or in slices) agree with rows counted afresh.
TEST(ReceiveTextTest, MatchesThePlainTextOverRandomOperations) {
    for (unsigned seed = 1; seed <= 1000; ++seed) {
        std::mt19937 random(seed);
        PlainArea plain;
        ReceiveText area;
        const int columns = 1 + static_cast<int>(random() % 30);
        AreaRows rows(columns, area.Begin());
        for (int step = 0; step < 40; ++step) {
            bool wholeChange = false;
            const std::string block = RandomBlock(random);
            switch (random() % 16) {
            case 0:
                plain.text.clear();
                area.Clear();
                wholeChange = true;
                break;
            case 1:
            case 2:
                if (plain.text.size() > 5000)
                    continue; // hex of hex of ... grows threefold each time
                plain.text = BytesToHexText(plain.text);
                area.ToHex();
                wholeChange = true;
                break;
            case 3:
            case 4: {
                bool plainFailed = false;
                try {
                    plain.FromHex();
                } catch (const EConvertError&) {
                    plainFailed = true;
                }
                bool areaFailed = false;
                try {
                    area.FromHex();
                } catch (const EConvertError&) {
                    areaFailed = true;
                }
                ASSERT_EQ(areaFailed, plainFailed) << "seed " << seed << " step " << step;
                wholeChange = true;
                break;
            }
            case 5:
                AddLine(area, block);
                plain.AddLine(block);
                break;
            case 6:
            case 7:
            case 8:
                wholeChange = area.HasLoneLineBreak();
                plain.AppendNormalised(BytesToHexText(block));
                area.AppendHex(block);
                break;
            default:
                wholeChange = area.HasLoneLineBreak();
                plain.AppendNormalised(block);
                area.AppendNormalised(block);
                break;
            }
            ASSERT_TRUE(area.Slice(area.Begin(), area.Size()) == plain.text)
                << "seed " << seed << " step " << step;
            ASSERT_EQ(area.HasLoneLineBreak(), plain.HasLone()) << "seed " << seed;
            if (wholeChange) {
                rows = AreaRows(columns, area.Begin());
                // Slices that stop at once still get there.
                while (!rows.Update(area, AreaRows::Clock::now()))
                    ;
            } else {
                rows.Update(area);
            }
            ASSERT_EQ(rows.RowCount(), PlainRows(plain.text, columns).Count())
                << "seed " << seed << " step " << step << " columns " << columns;
        }
        // Every row is found where wrapping from the start finds it.
        const PlainRows expected(plain.text, columns);
        for (std::int64_t row = 0; row < expected.Count(); row += 1 + row / 3) {
            const std::size_t start = expected.Start(row);
            ASSERT_EQ(rows.RowStart(area, row) - area.Begin(), start) << "seed " << seed;
            ASSERT_EQ(rows.RowOf(area, area.Begin() + start), row) << "seed " << seed;
        }
    }
}

// Long stretches of pairs: rows counted by arithmetic, and the rows on screen found near a
// position without the index, agree with wrapping every character.
TEST(ReceiveTextTest, RowsOfLongHexStretchesFollowByArithmetic) {
    std::mt19937 random(5);
    for (int columns : {1, 2, 3, 7, 80, 113}) {
        ReceiveText area;
        std::string plain;
        area.AppendNormalised("head line\r\nand some text ");
        plain = "head line\r\nand some text ";
        for (int i = 0; i < 30; ++i) {
            std::string block(1 + random() % 700, '\0');
            for (char& c : block)
                c = static_cast<char>(random());
            area.AppendHex(block);
            plain += BytesToHexText(block);
        }
        AreaRows rows(columns);
        rows.Update(area);
        RowIndex expected(columns);
        expected.Update(plain);
        ASSERT_EQ(rows.RowCount(), expected.RowCount()) << columns;
        for (std::int64_t row = 0; row < expected.RowCount(); row += 1 + random() % 97) {
            const std::size_t start = expected.RowStart(plain, row);
            EXPECT_EQ(rows.RowStart(area, row), start) << columns;
            const std::size_t within = std::min(plain.size(), start + random() % 3);
            bool exact = false;
            EXPECT_EQ(rows.RowStartNear(area, within, 1 << 20, exact),
                      expected.RowStart(plain, expected.RowOf(plain, within)))
                << columns;
            EXPECT_TRUE(exact);
        }
    }
}

TEST(ReceiveTextTest, EveryByteValueSurvivesBothSwitches) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    ReceiveText area;
    area.AppendHex(all);
    EXPECT_EQ(area.Slice(area.Begin(), area.Size()), BytesToHexText(all));
    area.FromHex();
    const std::string back(TrimControlBytes(all));
    EXPECT_EQ(area.Slice(area.Begin(), area.Size()), back + "\r\n");
    std::string pieces;
    area.ForEachPiece(area.Begin(), area.End(), [&](std::string_view p) { pieces += p; });
    EXPECT_EQ(pieces, back + "\r\n");
}

// Dropping the oldest text leaves exactly the rest, and appending goes on after it.
TEST(ReceiveTextTest, DroppingTheOldestKeepsTheRest) {
    ReceiveText area;
    std::string plain;
    std::mt19937 random(9);
    while (plain.size() < 9 * ChunkedBytes::DefaultChunkSize) {
        std::string block(2048, '\0');
        for (char& c : block)
            c = static_cast<char>(random());
        area.AppendHex(block);
        plain += BytesToHexText(block);
    }
    const std::uint64_t cut = area.Begin() + 3 * (ChunkedBytes::DefaultChunkSize + 7);
    ASSERT_TRUE(area.IsByteBoundary(cut));
    EXPECT_FALSE(area.IsByteBoundary(cut + 1));
    const std::uint64_t footprint = area.Footprint();
    area.DropBefore(cut);
    EXPECT_LT(area.Footprint(), footprint);
    EXPECT_EQ(area.Begin(), cut);
    area.AppendHex("\x01");
    plain += "01 ";
    EXPECT_EQ(area.Slice(area.Begin(), area.Size()), plain.substr(cut));
}

// Bytes received in hex with lone CRs, switched to text and then shown with CR LF: a drop
// in the middle of a block of the store, after some of those CRs, leaves exactly the rest.
TEST(ReceiveTextTest, DroppingAfterLoneBreaksKeepsTheRest) {
    std::string received;
    for (int line = 0; received.size() < 3 * ChunkedBytes::DefaultBlockSize; ++line)
        received += "line " + std::to_string(line) + "\r";
    ReceiveText area;
    PlainArea plain;
    area.AppendHex(received);
    plain.AppendHex(received);
    area.FromHex();
    plain.FromHex();
    area.AppendNormalised("x");
    plain.AppendNormalised("x");
    const std::size_t cut = plain.text.find("line", ChunkedBytes::DefaultBlockSize * 3 / 2);
    ASSERT_TRUE(area.IsByteBoundary(area.Begin() + cut));
    area.DropBefore(area.Begin() + cut);
    plain.DropFront(cut);
    EXPECT_FALSE(area.HasLoneLineBreak());
    area.AppendNormalised("y\r");
    plain.AppendNormalised("y\r");
    ASSERT_EQ(area.Size(), plain.text.size());
    EXPECT_TRUE(area.Slice(area.Begin(), area.Size()) == plain.text);
}

} // namespace
} // namespace pellow
