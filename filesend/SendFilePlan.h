#pragma once
// The plan of a file sending: how often the progress timer ticks, how many ticks there
// are and where the TX counter ends. The progress is estimated from the line's rate, a
// byte counting as ten bits; nothing is measured.

#include <cstdint>
#include <string>
#include <vector>

namespace pellow {

// Largest file that can be planned: ten times its size must still fit a 32-bit signed
// count, since the estimate works in bits.
inline constexpr std::int64_t MaxSendFileSize = 214748364;

struct TSendFilePlan {
    std::int32_t SendTickInterval = 0; // milliseconds; 0 means "as fast as the timer goes"
    std::int32_t SendTicksLeft = 0;
    std::int32_t SendTxEnd = 0;
};

// fileSize in 1 .. MaxSendFileSize, rate > 0, txNow the TX counter when sending starts.
// The interval is floor(1000 / (rate / 10)), computed exactly in integers so that a rate
// dividing 10000 evenly cannot be floored one step too low. Below 10 ms every tick
// stands for ten bytes. SendTxEnd saturates rather than wrapping to a negative count.
TSendFilePlan PlanSendFile(std::int32_t fileSize, std::int32_t rate, std::int32_t txNow);

// Seconds the line needs for the file at the rate, rounded up.
std::int64_t SendFileSecondsNeeded(std::int32_t fileSize, std::int32_t rate);

// The five lines shown in the receive area when a sending starts. rateText is the rate
// exactly as the rate box shows it.
std::vector<std::string> SendFileStartLines(std::int32_t fileSize, const std::string& rateText,
                                            std::int32_t rate);

// What one tick of the progress timer does. The caller has already counted the tick
// down; txStep is added to the TX counter; when finished is set, the timer stops and the
// counter is set to SendTxEnd.
struct TSendFileTick {
    std::int32_t txStep = 0;
    bool finished = false;
};
TSendFileTick SendFileTick(std::int32_t sendTickInterval, std::int32_t ticksLeftAfterTick);

// The rate box's text as bits per second. Raises std::invalid_argument when it is not a
// positive decimal number, since the plan divides by it.
std::int32_t SendFileRate(const std::string& rateText);

// Adds without wrapping: the counters stop at the largest 32-bit value.
std::int32_t SaturatingAdd(std::int32_t counter, std::int64_t n);

} // namespace pellow
