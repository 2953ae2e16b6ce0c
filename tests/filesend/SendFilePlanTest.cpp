#include "filesend/SendFilePlan.h"

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>
#include <string>
#include <vector>

using namespace pellow;

namespace {

struct TRateRow {
    std::int32_t rate;
    std::int32_t interval;
    std::int32_t ticksFor3000;
    std::int32_t step;
    std::int64_t secondsFor3000;
};

class PlanForEveryRate : public testing::TestWithParam<TRateRow> {};

TEST_P(PlanForEveryRate, IntervalTicksStepAndEstimate) {
    const TRateRow row = GetParam();
    const TSendFilePlan plan = PlanSendFile(3000, row.rate, 100);
    EXPECT_EQ(plan.SendTickInterval, row.interval);
    EXPECT_EQ(plan.SendTicksLeft, row.ticksFor3000);
    EXPECT_EQ(plan.SendTxEnd, 3100);
    EXPECT_EQ(SendFileTick(plan.SendTickInterval, 5).txStep, row.step);
    EXPECT_EQ(SendFileSecondsNeeded(3000, row.rate), row.secondsFor3000);
}

INSTANTIATE_TEST_SUITE_P(
    RateBox, PlanForEveryRate,
    testing::Values(TRateRow{300, 33, 3000, 1, 100}, TRateRow{600, 16, 3000, 1, 50},
                    TRateRow{1200, 8, 300, 10, 25}, TRateRow{2400, 4, 300, 10, 13},
                    TRateRow{4800, 2, 300, 10, 7}, TRateRow{9600, 1, 300, 10, 4},
                    TRateRow{19200, 0, 300, 10, 2}, TRateRow{38400, 0, 300, 10, 1},
                    TRateRow{43000, 0, 300, 10, 1}, TRateRow{56000, 0, 300, 10, 1},
                    TRateRow{57600, 0, 300, 10, 1}, TRateRow{115200, 0, 300, 10, 1}));

// A rate that divides 10000 evenly must not be floored one step low by rounding.
TEST(SendFilePlan, RatesDividingTheMillisecondScaleExactly) {
    EXPECT_EQ(PlanSendFile(100, 1000, 0).SendTickInterval, 10);
    EXPECT_EQ(PlanSendFile(100, 1000, 0).SendTicksLeft, 100); // one byte per tick at 10 ms
    EXPECT_EQ(PlanSendFile(100, 5000, 0).SendTickInterval, 2);
    EXPECT_EQ(PlanSendFile(100, 10000, 0).SendTickInterval, 1);
}

TEST(SendFilePlan, RateMustBeAPositiveNumber) {
    EXPECT_EQ(SendFileRate("115200"), 115200);
    for (const char* bad : {"", "0", "-300", "96OO", "9600 ", "99999999999"}) {
        EXPECT_THROW(SendFileRate(bad), std::invalid_argument) << bad;
    }
}

// Runs the ticks of a plan the way the progress timer does.
struct TRun {
    std::vector<std::int32_t> txAfterEachTick;
    std::int32_t finalTx = 0;
};

TRun RunTicks(const TSendFilePlan& start, std::int32_t tx) {
    TRun run;
    TSendFilePlan plan = start;
    for (int guard = 0; guard < 1'000'000; ++guard) {
        --plan.SendTicksLeft;
        const TSendFileTick tick = SendFileTick(plan.SendTickInterval, plan.SendTicksLeft);
        tx = SaturatingAdd(tx, tick.txStep);
        run.txAfterEachTick.push_back(tx);
        if (tick.finished) {
            run.finalTx = plan.SendTxEnd;
            return run;
        }
    }
    ADD_FAILURE() << "the ticks never finished";
    return run;
}

TEST(SendFileProgress, TwentyFiveBytesAt9600) {
    const TSendFilePlan plan = PlanSendFile(25, 9600, 7);
    EXPECT_EQ(SendFileSecondsNeeded(25, 9600), 1);
    EXPECT_EQ(plan.SendTickInterval, 1);
    EXPECT_EQ(plan.SendTicksLeft, 2);
    const TRun run = RunTicks(plan, 7);
    EXPECT_EQ(run.txAfterEachTick, (std::vector<std::int32_t>{17, 27}));
    EXPECT_EQ(run.finalTx, 32);
}

TEST(SendFileProgress, FiveBytesAt9600PlansNoTicksButFinishesOnTheFirst) {
    const TSendFilePlan plan = PlanSendFile(5, 9600, 0);
    EXPECT_EQ(plan.SendTicksLeft, 0);
    const TRun run = RunTicks(plan, 0);
    EXPECT_EQ(run.txAfterEachTick, (std::vector<std::int32_t>{10}));
    EXPECT_EQ(run.finalTx, 5);
}

TEST(SendFileProgress, ThreeBytesAt300TickOneByOne) {
    const TSendFilePlan plan = PlanSendFile(3, 300, 0);
    EXPECT_EQ(plan.SendTickInterval, 33);
    const TRun run = RunTicks(plan, 0);
    EXPECT_EQ(run.txAfterEachTick, (std::vector<std::int32_t>{1, 2, 3}));
    EXPECT_EQ(run.finalTx, 3);
}

TEST(SendFileProgress, SeventyThousandBytesAt115200) {
    const TSendFilePlan plan = PlanSendFile(70000, 115200, 0);
    EXPECT_EQ(SendFileSecondsNeeded(70000, 115200), 7);
    const TRun run = RunTicks(plan, 0);
    EXPECT_EQ(run.txAfterEachTick.size(), 7000u);
    EXPECT_EQ(run.txAfterEachTick.back(), 70000);
    EXPECT_EQ(run.finalTx, 70000);
}

TEST(SendFileProgress, CounterResetDuringSendingStillEndsAtThePlannedValue) {
    const TSendFilePlan plan = PlanSendFile(25, 9600, 1000);
    const TRun run = RunTicks(plan, 0); // the counter was reset to 0 after planning
    EXPECT_EQ(run.txAfterEachTick.back(), 20);
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
