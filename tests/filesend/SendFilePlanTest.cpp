#include "filesend/SendFilePlan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

using namespace pellow;

namespace {

using namespace std::chrono_literals;

struct TRateRow {
    std::int32_t rate;
    std::int32_t interval;
    std::int32_t ticksFor3000;
    std::int32_t tickBytes;
    std::int64_t secondsFor3000;
};

// Runs the progress timer's events at the given times, as the window does.
struct TRun {
    std::vector<std::int32_t> txAfterEachEvent;
    std::chrono::nanoseconds finishedAt{-1};
    std::int32_t finalTx = 0;
};

TRun RunEvents(const TSendFilePlan& plan, std::int32_t tx, std::chrono::nanoseconds every) {
    TRun run;
    std::int32_t ticksLeft = plan.SendTicksLeft;
    for (std::chrono::nanoseconds at = every; at < 1000s; at += every) {
        const TSendFileTick tick = SendFileTick(plan.pace, ticksLeft, at);
        ticksLeft -= tick.ticks;
        tx = SaturatingAdd(tx, tick.txStep);
        run.txAfterEachEvent.push_back(tx);
        if (tick.finished) {
            run.finishedAt = at;
            run.finalTx = plan.SendTxEnd;
            return run;
        }
    }
    ADD_FAILURE() << "the ticks never finished";
    return run;
}

class PlanForEveryRate : public testing::TestWithParam<TRateRow> {};

TEST_P(PlanForEveryRate, IntervalTicksStepAndEstimate) {
    const TRateRow row = GetParam();
    const TSendFilePlan plan = PlanSendFile(3000, row.rate, 100);
    EXPECT_EQ(plan.SendTickInterval, row.interval);
    EXPECT_EQ(plan.SendTicksLeft, row.ticksFor3000);
    EXPECT_EQ(plan.SendTxEnd, 3100);
    EXPECT_EQ(plan.pace.tickBytes, row.tickBytes);
    EXPECT_EQ(SendFileSecondsNeeded(3000, row.rate), row.secondsFor3000);
}

// However the timer's interval rounds, the counter never shows more than the line could
// have carried, and "Finished." comes once the line could have carried the whole file,
// not before and not much later.
TEST_P(PlanForEveryRate, ProgressKeepsToTheLinesTime) {
    const TRateRow row = GetParam();
    const TSendFilePlan plan = PlanSendFile(3000, row.rate, 0);
    const auto every = std::chrono::milliseconds(std::max(plan.SendTickInterval, 1));
    const TRun run = RunEvents(plan, 0, every);
    const auto lineTime = std::chrono::nanoseconds(3000LL * 10 * 1'000'000'000 / row.rate);
    for (std::size_t i = 0; i + 1 < run.txAfterEachEvent.size(); ++i) {
        const std::chrono::nanoseconds at = every * static_cast<std::int64_t>(i + 1);
        ASSERT_LE(run.txAfterEachEvent[i], at.count() * row.rate / 10'000'000'000) << i;
    }
    EXPECT_GE(run.finishedAt, lineTime);
    EXPECT_LE(run.finishedAt, lineTime + every);
    EXPECT_EQ(run.finalTx, 3000);
}

INSTANTIATE_TEST_SUITE_P(
    RateBox, PlanForEveryRate,
    testing::Values(TRateRow{300, 33, 3000, 1, 100}, TRateRow{600, 16, 3000, 1, 50},
                    TRateRow{1200, 83, 300, 10, 25}, TRateRow{2400, 41, 300, 10, 13},
                    TRateRow{4800, 20, 300, 10, 7}, TRateRow{9600, 10, 300, 10, 4},
                    TRateRow{19200, 5, 300, 10, 2}, TRateRow{38400, 2, 300, 10, 1},
                    TRateRow{43000, 2, 300, 10, 1}, TRateRow{56000, 1, 300, 10, 1},
                    TRateRow{57600, 1, 300, 10, 1}, TRateRow{115200, 0, 300, 10, 1}));

// A rate that divides 10000 evenly must not be floored one step low by rounding.
TEST(SendFilePlan, RatesDividingTheMillisecondScaleExactly) {
    EXPECT_EQ(PlanSendFile(100, 1000, 0).SendTickInterval, 10);
    EXPECT_EQ(PlanSendFile(100, 1000, 0).SendTicksLeft, 100); // one byte per tick at 10 ms
    EXPECT_EQ(PlanSendFile(100, 5000, 0).SendTickInterval, 20);
    EXPECT_EQ(PlanSendFile(100, 10000, 0).SendTickInterval, 10);
    EXPECT_EQ(PlanSendFile(100, 10000, 0).SendTicksLeft, 10);
}

TEST(SendFilePlan, RateMustBeAPositiveNumber) {
    EXPECT_EQ(SendFileRate("115200"), 115200);
    for (const char* bad : {"", "0", "-300", "96OO", "9600 ", "99999999999"}) {
        EXPECT_THROW(SendFileRate(bad), std::invalid_argument) << bad;
    }
}

TEST(SendFileProgress, TwentyFiveBytesAt9600) {
    const TSendFilePlan plan = PlanSendFile(25, 9600, 7);
    EXPECT_EQ(plan.SendTicksLeft, 2); // of ten bytes, 10.4 ms each; the file takes 26.0 ms
    const TRun run = RunEvents(plan, 7, 10ms);
    EXPECT_EQ(run.txAfterEachEvent, (std::vector<std::int32_t>{7, 17, 27}));
    EXPECT_EQ(run.finalTx, 32);
}

TEST(SendFileProgress, FiveBytesAt9600PlanNoTicksAndFinishOnceThrough) {
    const TSendFilePlan plan = PlanSendFile(5, 9600, 0);
    EXPECT_EQ(plan.SendTicksLeft, 0);
    const TRun run = RunEvents(plan, 0, 1ms);
    EXPECT_EQ(run.finishedAt, 6ms); // 5.2 ms on the line
    EXPECT_EQ(run.finalTx, 5);
}

// A timer that comes late (a busy window) catches up at once: the ticks due meanwhile
// all count at its next event.
TEST(SendFileProgress, LateEventCountsEveryTickDueMeanwhile) {
    const TSendFilePlan plan = PlanSendFile(3000, 9600, 0); // 300 ticks of 10.4 ms
    const TSendFileTick late = SendFileTick(plan.pace, plan.SendTicksLeft, 1050ms);
    EXPECT_EQ(late.ticks, 100);
    EXPECT_EQ(late.txStep, 1000);
    EXPECT_FALSE(late.finished);
    const TSendFileTick again = SendFileTick(plan.pace, plan.SendTicksLeft - 100, 1050ms);
    EXPECT_EQ(again.ticks, 0);
}

TEST(SendFileProgress, CounterResetDuringSendingStillEndsAtThePlannedValue) {
    const TSendFilePlan plan = PlanSendFile(25, 9600, 1000);
    const TRun run = RunEvents(plan, 0, 10ms); // the counter was reset to 0 after planning
    EXPECT_EQ(run.txAfterEachEvent.back(), 20);
    EXPECT_EQ(run.finalTx, 1025);
}

TEST(SendFilePlan, LargestFileNeitherOverflowsTheEstimateNorTheCounter) {
    const std::int32_t largest = static_cast<std::int32_t>(MaxSendFileSize);
    EXPECT_EQ(SendFileSecondsNeeded(largest, 300), 7158279); // ceil(2147483640 / 300)
    const TSendFilePlan plan =
        PlanSendFile(largest, 300, std::numeric_limits<std::int32_t>::max() - 5);
    EXPECT_EQ(plan.SendTxEnd, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(plan.SendTicksLeft, largest);
}

TEST(SendFilePlan, SaturatingAddNeverWraps) {
    constexpr auto top = std::numeric_limits<std::int32_t>::max();
    EXPECT_EQ(SaturatingAdd(top, 10), top);
    EXPECT_EQ(SaturatingAdd(top - 3, 10), top);
    EXPECT_EQ(SaturatingAdd(-5, 10), 5);
}

TEST(SendFilePlan, StartLines) {
    EXPECT_EQ(SendFileStartLines(3000, "9600", 9600),
              (std::vector<std::string>{"File size:3000bytes", "Bandrate:9600bps",
                                        "Need about 4second.", "Please waiting...",
                                        "You can close the serial port to stop sending action."}));
    EXPECT_EQ(SendFileStartLines(1, "115200", 115200)[2], "Need about 1second.");
}

} // namespace
