#include "receive/SaveFileName.h"

#include <gtest/gtest.h>

namespace pellow {
namespace {

struct SaveNameCase {
    const char* name;
    const char* date;
    int h, m, s;
    const char* expected;
};

class SaveFileNameTest : public testing::TestWithParam<SaveNameCase> {};

TEST_P(SaveFileNameTest, JoinsDateAndPaddedTime) {
    const SaveNameCase& c = GetParam();
    EXPECT_EQ(SaveFileName(c.date, c.h, c.m, c.s), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SaveFileNameTest,
    testing::Values(SaveNameCase{"HyphenDate", "2006-5-3", 14, 7, 9, "Save2006-5-3 14.07.09.txt"},
                    SaveNameCase{"Midnight", "2026-12-09", 0, 0, 0, "Save2026-12-09 00.00.00.txt"},
                    SaveNameCase{"SlashesReplaced", "12/9/26", 23, 59, 59,
                                 "Save12-9-26 23.59.59.txt"},
                    SaveNameCase{"DotsKept", "09.12.2026", 8, 5, 1, "Save09.12.2026 08.05.01.txt"},
                    SaveNameCase{"WindowsForbiddenReplaced", "a\\b:c*d?e\"f<g>h|i", 1, 2, 3,
                                 "Savea-b-c-d-e-f-g-h-i 01.02.03.txt"},
                    SaveNameCase{"NonAsciiKept", "2026年12月9日", 10, 11, 12,
                                 "Save2026年12月9日 10.11.12.txt"}),
    [](const testing::TestParamInfo<SaveNameCase>& info) { return info.param.name; });

TEST(SaveFileNameTest, DateFormatsThatNameTheDayOrMonthAreNotNumeric) {
    for (const char* numeric : {"M/d/yy", "dd.MM.yy", "yyyy-MM-dd", "d/M/yyyy", "yy'年'M'月'd'日'",
                                "dd 'dddd' MM yyyy"})
        EXPECT_TRUE(IsNumericDateFormat(numeric)) << numeric;
    for (const char* named : {"d MMM yyyy", "dddd, d MMMM yyyy", "ddd dd/MM/yy", "'x' d MMM"})
        EXPECT_FALSE(IsNumericDateFormat(named)) << named;
}

} // namespace
} // namespace pellow
