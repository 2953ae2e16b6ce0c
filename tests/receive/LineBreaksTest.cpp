#include "receive/LineBreaks.h"

#include <gtest/gtest.h>

#include <string>

namespace pellow {
namespace {

struct NormaliseCase {
    const char* name;
    std::string in;
    std::string out;
};

class NormaliseTest : public testing::TestWithParam<NormaliseCase> {};

TEST_P(NormaliseTest, MakesEveryBreakCrLf) {
    EXPECT_EQ(NormaliseLineBreaks(GetParam().in), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NormaliseTest,
    testing::Values(
        NormaliseCase{"Empty", "", ""}, NormaliseCase{"NoBreaks", "abc", "abc"},
        NormaliseCase{"CrLfStays", "a\r\nb", "a\r\nb"}, NormaliseCase{"LoneLf", "a\nb", "a\r\nb"},
        NormaliseCase{"LoneCrInside", "a\rb", "a\r\nb"},
        NormaliseCase{"FinalCr", "abc\r", "abc\r\n"},
        NormaliseCase{"LfCrIsTwoBreaks", "a\n\rb", "a\r\n\r\nb"},
        NormaliseCase{"CrCrLf", "\r\r\n", "\r\n\r\n"}, NormaliseCase{"LeadingLf", "\nx", "\r\nx"},
        NormaliseCase{"ZeroBytesKept", std::string("a\0\nb", 4), std::string("a\0\r\nb", 5)},
        NormaliseCase{"HighBytesUntouched", "\xE4\n\xB8\r", "\xE4\r\n\xB8\r\n"}),
    [](const testing::TestParamInfo<NormaliseCase>& info) { return info.param.name; });

TEST(NormaliseTest, IsIdempotent) {
    const std::string once = NormaliseLineBreaks("a\rb\n\rc\r\n\nd\r");
    EXPECT_EQ(NormaliseLineBreaks(once), once);
}

struct TrackerCase {
    const char* name;
    std::vector<std::string> pieces;
    bool lone;
};

class LoneBreakTrackerTest : public testing::TestWithParam<TrackerCase> {};

TEST_P(LoneBreakTrackerTest, AgreesWithNormalisation) {
    LoneBreakTracker tracker;
    std::string all;
    for (const std::string& piece : GetParam().pieces) {
        tracker.Feed(piece);
        all += piece;
    }
    EXPECT_EQ(tracker.Any(), GetParam().lone);
    EXPECT_EQ(tracker.Any(), NormaliseLineBreaks(all) != all);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoneBreakTrackerTest,
    testing::Values(TrackerCase{"Nothing", {}, false},
                    TrackerCase{"PairsOnly", {"a\r\nb\r\n"}, false},
                    TrackerCase{"PairSplitAcrossPieces", {"a\r", "\nb"}, false},
                    TrackerCase{"FinalCrIsLone", {"a\r"}, true},
                    TrackerCase{"CrThenOtherPiece", {"a\r", "b"}, true},
                    TrackerCase{"LoneLf", {"a", "\n"}, true},
                    TrackerCase{"LfCr", {"\n\r\n"}, true}),
    [](const testing::TestParamInfo<TrackerCase>& info) { return info.param.name; });

TEST(LoneBreakTrackerTest, ResetForgetsEverything) {
    LoneBreakTracker tracker;
    tracker.Feed("\n\r");
    tracker.Reset();
    EXPECT_FALSE(tracker.Any());
    tracker.Feed("\n");
    EXPECT_TRUE(tracker.Any());
}

} // namespace
} // namespace pellow
