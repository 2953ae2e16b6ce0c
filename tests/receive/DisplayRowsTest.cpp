#include "receive/DisplayRows.h"

#include "receive/DisplayCells.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pellow {
namespace {

// Rows as strings, wrapping from scratch with the row function alone.
std::vector<std::string> Rows(const std::string& bytes, int columns) {
    std::vector<std::string> rows;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const RowEnd end = WrapRow(bytes, pos, columns, true);
        rows.push_back(bytes.substr(pos, end.next - pos));
        pos = end.next;
        if (!end.complete)
            break;
    }
    return rows;
}

struct WrapCase {
    const char* name;
    std::string bytes;
    int columns;
    std::vector<std::string> rows;
};

class WrapRowTest : public testing::TestWithParam<WrapCase> {};

TEST_P(WrapRowTest, BreaksLikeAMemo) {
    EXPECT_EQ(Rows(GetParam().bytes, GetParam().columns), GetParam().rows);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WrapRowTest,
    testing::Values(WrapCase{"Empty", "", 10, {}}, WrapCase{"FitsExactly", "abcde", 5, {"abcde"}},
                    WrapCase{"BreaksWithinWordWhenNoBlank", "abcdefg", 5, {"abcde", "fg"}},
                    WrapCase{"BreaksAfterLastBlank", "ab cd efgh", 7, {"ab cd ", "efgh"}},
                    WrapCase{"BlankMayHangPastWidth", "abcde fg", 5, {"abcde ", "fg"}},
                    WrapCase{"CrLfEndsRow", "ab\r\ncd\r\n", 10, {"ab\r\n", "cd\r\n"}},
                    WrapCase{"EmptyLines", "\r\n\r\nx", 10, {"\r\n", "\r\n", "x"}},
                    WrapCase{"LoneLfDoesNotBreak", "ab\ncd", 10, {"ab\ncd"}},
                    WrapCase{"HexPairs", "41 42 43 44 ", 6, {"41 42 ", "43 44 "}},
                    WrapCase{"WideCharactersTakeTwoCells",
                             "\xe4\xb8\xad\xe6\x96\x87\xe5\xad\x97",
                             4,
                             {"\xe4\xb8\xad\xe6\x96\x87", "\xe5\xad\x97"}},
                    WrapCase{"InvalidByteTakesFourCells",
                             "a\xff"
                             "bc",
                             5,
                             {"a\xff", "bc"}},
                    WrapCase{"ControlTakesTwoCells", "\x01\x02\x7f", 4, {"\x01\x02", "\x7f"}},
                    WrapCase{"OversizedItemStillProgresses", "\xff\xff", 2, {"\xff", "\xff"}}),
    [](const testing::TestParamInfo<WrapCase>& info) { return info.param.name; });

TEST(WrapRowTest, CutCharacterAtEndIsPendingUntilComplete) {
    const std::string cut = "ab\xe4\xb8";
    EXPECT_FALSE(WrapRow(cut, 0, 80, false).complete);
    EXPECT_EQ(DecodeCellItem(cut, 2, 2, false).kind, CellKind::Pending);
    EXPECT_EQ(DecodeCellItem(cut, 2, 2, true).kind, CellKind::Invalid);
    EXPECT_EQ(DecodeCellItem("\r", 0, 0, false).kind, CellKind::Pending);
}

TEST(DecodeCellItemTest, RejectsOverlongAndSurrogates) {
    EXPECT_EQ(DecodeCellItem("\xc0\x80", 0, 0, true).kind, CellKind::Invalid);
    EXPECT_EQ(DecodeCellItem("\xed\xa0\x80", 0, 0, true).kind, CellKind::Invalid);
    EXPECT_EQ(DecodeCellItem("\xf4\x90\x80\x80", 0, 0, true).kind, CellKind::Invalid);
    const CellItem ok = DecodeCellItem("\xf0\x9f\x98\x80", 0, 0, true);
    EXPECT_EQ(ok.kind, CellKind::Text);
    EXPECT_EQ(ok.length, 4);
    EXPECT_EQ(ok.codePoint, U'\U0001F600');
}

TEST(DecodeCellItemTest, TabReachesNextStop) {
    EXPECT_EQ(DecodeCellItem("\t", 0, 0, true).cells, 8);
    EXPECT_EQ(DecodeCellItem("\t", 0, 5, true).cells, 3);
    EXPECT_EQ(DecodeCellItem("\t", 0, 8, true).cells, 8);
}

// The incremental index must agree with wrapping everything at once, however the bytes
// arrive.
TEST(RowIndexTest, IncrementalCountMatchesWrappingFromScratch) {
    std::string all;
    for (int i = 0; i < 3000; ++i) {
        all += std::to_string(i * 7919 % 1000);
        all += (i % 13 == 0) ? "\r\n" : (i % 5 == 0 ? "\xe4\xb8\xad" : " ");
        if (i % 97 == 0)
            all += std::string(150, 'x');
    }
    for (int columns : {1, 7, 40, 80}) {
        const std::vector<std::string> rows = Rows(all, columns);
        RowIndex index(columns);
        for (std::size_t fed = 0; fed < all.size();) {
            fed = std::min(all.size(), fed + 1 + fed % 17);
            index.Update(std::string_view(all).substr(0, fed));
        }
        ASSERT_EQ(index.RowCount(), static_cast<std::int64_t>(rows.size())) << columns;
        std::size_t offset = 0;
        for (std::size_t r = 0; r < rows.size(); r += 37) {
            offset = 0;
            for (std::size_t k = 0; k < r; ++k)
                offset += rows[k].size();
            EXPECT_EQ(index.RowStart(all, static_cast<std::int64_t>(r)), offset);
            EXPECT_EQ(index.RowOf(all, offset), static_cast<std::int64_t>(r));
            EXPECT_EQ(index.RowOf(all, offset + rows[r].size() - 1), static_cast<std::int64_t>(r));
        }
    }
}

TEST(RowIndexTest, CountsLikeAMemo) {
    RowIndex index(10);
    index.Update("");
    EXPECT_EQ(index.RowCount(), 0);
    index.Update("ab\r\n");
    EXPECT_EQ(index.RowCount(), 1); // the empty row after the break does not count
    index.Update("ab\r\nc");
    EXPECT_EQ(index.RowCount(), 2);
    index.Reset(10);
    index.Update("\r\n");
    EXPECT_EQ(index.RowCount(), 1);
}

TEST(RowIndexTest, OneEndlessLineOfHexPairs) {
    // 20 columns hold seven pairs: 20 cells, the seventh pair's blank hanging past the edge.
    RowIndex index(20);
    std::string all;
    for (int block = 0; block < 100; ++block) {
        all += "41 42 43 44 45 46 47 48 49 4A ";
        index.Update(all);
    }
    EXPECT_EQ(index.RowCount(), (1000 + 6) / 7);
    EXPECT_EQ(index.RowStart(all, 2), 42u);
}

} // namespace
} // namespace pellow
