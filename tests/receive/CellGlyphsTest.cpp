#include "receive/CellGlyphs.h"

#include <gtest/gtest.h>

namespace pellow {
namespace {

TEST(CellGlyphsTest, EachKindShowsAsTheReceiveAreaDrawsIt) {
    EXPECT_EQ(CellGlyphs(CellKind::Text, U'A', 0), u"A");
    EXPECT_EQ(CellGlyphs(CellKind::Text, U'\u4E2D', 0), u"\u4E2D");
    // Beyond the first plane: a surrogate pair, not a truncated unit.
    EXPECT_EQ(CellGlyphs(CellKind::Text, U'\U0001F600', 0), u"\U0001F600");
    EXPECT_EQ(CellGlyphs(CellKind::Control, 0x00, 0), u"^@");
    EXPECT_EQ(CellGlyphs(CellKind::Control, 0x1B, 0), u"^[");
    EXPECT_EQ(CellGlyphs(CellKind::Control, 0x7F, 0), u"^?");
    EXPECT_EQ(CellGlyphs(CellKind::Invalid, 0, 0x0A), u"\\x0A");
    EXPECT_EQ(CellGlyphs(CellKind::Pending, 0, 0xEF), u"\\xEF");
    for (CellKind none : {CellKind::Blank, CellKind::Tab, CellKind::LineBreak})
        EXPECT_EQ(CellGlyphs(none, U' ', 0x20), u"");
}

TEST(CellGlyphsTest, OnlyControlAndUndecodedCellsHaveAnInkOfTheirOwn) {
    EXPECT_FALSE(CellInk(CellKind::Text));
    EXPECT_TRUE(CellInk(CellKind::Control));
    EXPECT_EQ(CellInk(CellKind::Invalid), CellInk(CellKind::Pending));
    EXPECT_NE(CellInk(CellKind::Invalid), CellInk(CellKind::Control));
}

} // namespace
} // namespace pellow
