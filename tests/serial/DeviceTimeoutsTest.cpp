// How the timeout record cuts reads and bounds writes, at its edges.
#include "serial/DeviceTimeouts.h"

#include <gtest/gtest.h>

#include <climits>

using namespace pellow;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

const Clock::time_point T0 = Clock::time_point{} + 1h;

PendingRead ReadWith(std::size_t count, Clock::time_point lastByte) {
    PendingRead read;
    read.capacity = ReadChunkSize;
    read.count = count;
    read.started = T0;
    read.lastByte = lastByte;
    return read;
}

CommTimeouts Timeouts(std::uint32_t interval, std::uint32_t multiplier = 0,
                      std::uint32_t constant = 0) {
    CommTimeouts t;
    t.readInterval = interval;
    t.readTotalMultiplier = multiplier;
    t.readTotalConstant = constant;
    t.writeTotalMultiplier = multiplier;
    t.writeTotalConstant = constant;
    return t;
}

} // namespace

TEST(CheckReadCompletion, IntervalEndsTheReadOnlyOnceMoreThanItHasPassed) {
    const auto last = T0 + 5ms;
    const PendingRead read = ReadWith(1, last);
    const CommTimeouts t = Timeouts(100);

    const ReadCompletion atInterval = CheckReadCompletion(read, t, last + 100ms);
    EXPECT_FALSE(atInterval.done) << "a pause of exactly the interval does not end it";
    ASSERT_TRUE(atInterval.wakeBy);
    EXPECT_EQ(*atInterval.wakeBy, last + 100ms + 1us);
    EXPECT_TRUE(CheckReadCompletion(read, t, last + 100ms + 1us).done);

    EXPECT_FALSE(CheckReadCompletion(ReadWith(0, last), t, last + 1h).done)
        << "no time counts before the first byte";
    EXPECT_TRUE(CheckReadCompletion(ReadWith(ReadChunkSize, last), t, last).done);
    EXPECT_TRUE(CheckReadCompletion(read, Timeouts(0xFFFFFFFF), last).done)
        << "the largest interval returns what is there at once";
}

TEST(CheckReadCompletion, TotalTimeoutCountsFromTheStartAndDoesNotOverflow) {
    const PendingRead read = ReadWith(0, T0);
    const ReadCompletion small = CheckReadCompletion(read, Timeouts(0, 2, 7), T0);
    ASSERT_TRUE(small.wakeBy);
    EXPECT_EQ(*small.wakeBy, T0 + std::chrono::milliseconds(2 * ReadChunkSize + 7));
    EXPECT_TRUE(CheckReadCompletion(read, Timeouts(0, 2, 7), *small.wakeBy).done);

    const ReadCompletion largest =
        CheckReadCompletion(read, Timeouts(0, UINT32_MAX, UINT32_MAX), T0 + 24h);
    EXPECT_FALSE(largest.done);
    ASSERT_TRUE(largest.wakeBy);
    EXPECT_EQ(*largest.wakeBy,
              T0 + std::chrono::milliseconds(std::uint64_t{UINT32_MAX} * (ReadChunkSize + 1)));
}

TEST(WriteDeadline, MultiplierTimesLengthPlusConstantSaturating) {
    EXPECT_EQ(WriteDeadline(Timeouts(0, 3, 10), 1000, T0), T0 + 3010ms);
    // Thousands of years: past what the clock counts, so never rather than some moment.
    EXPECT_EQ(WriteDeadline(Timeouts(0, UINT32_MAX, UINT32_MAX), 65535, T0),
              Clock::time_point::max());
    EXPECT_EQ(WriteDeadline(Timeouts(0, UINT32_MAX, 0), SIZE_MAX, T0), Clock::time_point::max());
}
