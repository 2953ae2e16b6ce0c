// poll's timeout for a deadline, at its edges.
#include "serial/posix/PollTimeout.h"

#include <gtest/gtest.h>

#include <climits>

using namespace pellow;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

TEST(PollTimeout, RoundsUpAndStaysWithinPollsRange) {
    const int soon = PollTimeout(Clock::now() + 1500ms);
    EXPECT_GT(soon, 0);
    EXPECT_LE(soon, 1500);
    EXPECT_EQ(PollTimeout(Clock::now() + std::chrono::hours(24 * 30)), INT_MAX);
    EXPECT_EQ(PollTimeout(Clock::time_point::max()), INT_MAX);
}
