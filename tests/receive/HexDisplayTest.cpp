#include "receive/HexDisplay.h"

#include "send/SendData.h"

#include <gtest/gtest.h>

#include <string>

namespace pellow {
namespace {

TEST(BytesToHexTextTest, PairsInUpperCaseEachFollowedByBlank) {
    EXPECT_EQ(BytesToHexText(""), "");
    EXPECT_EQ(BytesToHexText("A\r\n"), "41 0D 0A ");
    EXPECT_EQ(BytesToHexText(std::string("\0\x0f\x10\xab\xff", 5)), "00 0F 10 AB FF ");
}

struct HexBackCase {
    const char* name;
    std::string text;
    std::string bytes;
};

class HexDisplayToBytesTest : public testing::TestWithParam<HexBackCase> {};

TEST_P(HexDisplayToBytesTest, ReadsPairsEveryThreeCharacters) {
    EXPECT_EQ(HexDisplayToBytes(GetParam().text), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Cases, HexDisplayToBytesTest,
                         testing::Values(HexBackCase{"Empty", "", ""},
                                         HexBackCase{"Pairs", "41 42 0D 0A ", "AB\r\n"},
                                         HexBackCase{"WithoutFinalBlank", "41 42", "AB"},
                                         HexBackCase{"LowerCaseDigits", "6a ff ", "j\xff"},
                                         HexBackCase{"LoneLastDigit", "41 7", "A\x07"},
                                         HexBackCase{"SeparatorIsNotExamined", "41x42-", "AB"},
                                         HexBackCase{"ZeroByte", "00 ", std::string(1, '\0')}),
                         [](const testing::TestParamInfo<HexBackCase>& info) {
                             return info.param.name;
                         });

class HexDisplayRejectsTest : public testing::TestWithParam<const char*> {};

TEST_P(HexDisplayRejectsTest, ThrowsConversionError) {
    EXPECT_THROW(HexDisplayToBytes(GetParam()), EConvertError);
}

// Ordinary text, pairs out of step after a line break, a blank inside a piece.
INSTANTIATE_TEST_SUITE_P(Cases, HexDisplayRejectsTest,
                         testing::Values("Hello", "41 42\r\n43 ", "4 1 ", "41 G0 ", "-1 "));

TEST(HexDisplayToBytesTest, ErrorMessageNamesThePiece) {
    try {
        HexDisplayToBytes("41 ZZ ");
        FAIL() << "no error";
    } catch (const EConvertError& error) {
        EXPECT_NE(std::string(error.what()).find("'ZZ'"), std::string::npos) << error.what();
    }
}

TEST(HexDisplayRoundTripTest, EveryByteValueSurvives) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    EXPECT_EQ(HexDisplayToBytes(BytesToHexText(all)), all);
}

TEST(HexDisplayRoundTripTest, TrimDropsBreaksAndBlanksAtBothEnds) {
    const std::string shown = "\r\n  AB\r\n  ";
    const std::string back =
        std::string(TrimControlBytes(HexDisplayToBytes(BytesToHexText(shown))));
    EXPECT_EQ(back, "AB");
}

} // namespace
} // namespace pellow
