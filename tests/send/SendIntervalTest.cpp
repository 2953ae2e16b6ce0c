#include "send/SendInterval.h"
#include "send/CycleSearch.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace pellow;

namespace {

TEST(ParseSendInterval, NumbersWithin32BitsOnly) {
    struct {
        const char* text;
        std::optional<std::int32_t> interval;
    } const cases[] = {
        {"1000", 1000},
        {"0", 0},
        {"007", 7},
        {"+5", 5},
        {"-0", 0},
        {"2147483647", 2147483647},
        {"", std::nullopt},
        {"2147483648", std::nullopt},
        {"99999999999", std::nullopt},
        {"-5", std::nullopt},
        {"12a", std::nullopt},
        {" 12", std::nullopt},
        {"12 ", std::nullopt},
        {"+", std::nullopt},
        {"+-5", std::nullopt},
        {"0x10", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseSendInterval(c.text), c.interval) << '"' << c.text << '"';
}

TEST(IsIntervalKey, DigitsAndBackspaceOnly) {
    std::set<int> passed;
    for (int c = 0; c < 256; ++c)
        if (IsIntervalKey(static_cast<char>(c)))
            passed.insert(c);
    EXPECT_EQ(passed, (std::set<int>{'\b', '0', '1', '2', '3', '4', '5', '6', '7', '8', '9'}));
}

std::vector<int> Cycle(const std::set<int>& filled, int ticks) {
    std::vector<int> sent;
    int index = 0;
    for (int t = 0; t < ticks; ++t) {
        index = NextCycleEntry(index, [&](int entry) { return !filled.contains(entry); });
        sent.push_back(index);
    }
    return sent;
}

TEST(NextCycleEntry, SkipsEmptyEntriesAndWraps) {
    EXPECT_EQ(Cycle({1, 3}, 5), (std::vector<int>{1, 3, 1, 3, 1}));
    EXPECT_EQ(Cycle({20}, 2), (std::vector<int>{20, 20}));
    EXPECT_EQ(Cycle({2, 19, 20}, 4), (std::vector<int>{2, 19, 20, 2}));
    EXPECT_EQ(NextCycleEntry(20, [](int) { return false; }), 1);
}

TEST(NextCycleEntry, AllEmptyLooksAtEachEntryOnce) {
    std::vector<int> looked;
    EXPECT_EQ(NextCycleEntry(7,
                             [&](int e) {
                                 looked.push_back(e);
                                 return true;
                             }),
              0);
    ASSERT_EQ(looked.size(), 20u);
    EXPECT_EQ(looked.front(), 8);
    EXPECT_EQ(looked.back(), 7);
}

} // namespace
