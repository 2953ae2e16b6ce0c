#include "send/HexText.h"

#include <gtest/gtest.h>

using namespace pellow;

namespace {

struct HexCase {
    std::string text;
    std::optional<std::string> bytes;
};

class HexTextToBytesTest : public testing::TestWithParam<HexCase> {};

TEST_P(HexTextToBytesTest, ConvertsOrFailsWhole) {
    const HexCase& c = GetParam();
    EXPECT_EQ(HexTextToBytes(c.text), c.bytes) << "text: \"" << c.text << '"';
}

using std::nullopt;
using namespace std::string_literals;

INSTANTIATE_TEST_SUITE_P(
    Cases, HexTextToBytesTest,
    testing::Values(HexCase{"31 32", "12"}, HexCase{"3132", "12"}, HexCase{"ff 0a", "\xff\x0a"s},
                    HexCase{"FF 0A", "\xff\x0a"s}, HexCase{"fF", "\xff"s},
                    // A lone last digit is the high half, whatever the blanks suggest.
                    HexCase{"A", "\xa0"s}, HexCase{"1 23", "\x12\x30"s},
                    HexCase{"ABC", "\xab\xc0"s}, HexCase{"0 1 0 2", "\x01\x02"s},
                    HexCase{"00", "\0"s}, HexCase{"", ""s}, HexCase{"   ", ""s},
                    // Only the 23 allowed characters; the first other one fails it all.
                    HexCase{"0x41", nullopt}, HexCase{"31,32", nullopt}, HexCase{"g", nullopt},
                    HexCase{"31-32", nullopt}, HexCase{"31\t32", nullopt},
                    HexCase{"31\r\n32", nullopt}, HexCase{"31 G", nullopt},
                    HexCase{"31\xc3\xa9", nullopt}, HexCase{"31\0 32"s, nullopt}));

TEST(HexPairValue, AllPairsRoundTrip) {
    const char* digits = "0123456789ABCDEF";
    for (int value = 0; value < 256; ++value) {
        const char pair[2] = {digits[value / 16], digits[value % 16]};
        EXPECT_EQ(HexPairValue(std::string_view(pair, 2)), value);
    }
}

} // namespace
