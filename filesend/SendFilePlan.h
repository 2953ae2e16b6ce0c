#pragma once
// The plan of a file sending: how often the progress timer ticks, how many ticks there
// are and where the TX counter ends. The progress is estimated from the line's rate, a
// byte counting as ten bits; nothing is measured.

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace pellow {

// Largest file that can be planned: ten times its size must still fit a 32-bit signed
// count, since the estimate works in bits.
inline constexpr std::int64_t MaxSendFileSize = 214748364;

// The line's time behind the ticks. A timer cannot be trusted to tick at its interval
// (intervals are whole milliseconds, shorter than one where the line is fast, and events
// come late under load), so the progress is read off the time since the start: a tick
// counts once the line has had time for its bytes, and the sending is finished once it
// has had time for the whole file.
struct TSendFilePace {
    std::int32_t tickBytes = 1; // bytes one tick stands for: 1, or 10 at fast rates
    std::int32_t ticks = 0;     // ticks planned
    std::chrono::nanoseconds tickTime{0}; // line time of one tick's bytes, rounded up
    std::chrono::nanoseconds lineTime{0}; // line time of the whole file, rounded up
};

struct TSendFilePlan {
    std::int32_t SendTickInterval = 0; // milliseconds; 0 means "as fast as the timer goes"
    std::int32_t SendTicksLeft = 0;
    std::int32_t SendTxEnd = 0;
    TSendFilePace pace;
};

// fileSize in 1 .. MaxSendFileSize, rate > 0, txNow the TX counter when sending starts.
// Where one byte's time is below 10 ms, a tick stands for ten bytes (floor(size / 10)
// ticks). The interval is the time of one tick's bytes, floored to whole milliseconds and
// computed exactly in integers, so that a rate dividing the scale evenly cannot be floored
// one step too low. SendTxEnd saturates rather than wrapping to a negative count.
TSendFilePlan PlanSendFile(std::int32_t fileSize, std::int32_t rate, std::int32_t txNow);

// Seconds the line needs for the file at the rate, rounded up.
std::int64_t SendFileSecondsNeeded(std::int32_t fileSize, std::int32_t rate);

// The five lines shown in the receive area when a sending starts. rateText is the rate
// exactly as the rate box shows it.
std::vector<std::string> SendFileStartLines(std::int32_t fileSize, const std::string& rateText,
                                            std::int32_t rate);

// What one event of the progress timer does, `elapsed` after the sending started with
// `ticksLeft` ticks still to come: `ticks` more ticks are due (none, or several when the
// timer came late), txStep is added to the TX counter and ticks is taken off ticksLeft;
// when finished is set, the timer stops and the counter is set to SendTxEnd.
struct TSendFileTick {
    std::int32_t ticks = 0;
    std::int32_t txStep = 0;
    bool finished = false;
};
TSendFileTick SendFileTick(const TSendFilePace& pace, std::int32_t ticksLeft,
                           std::chrono::nanoseconds elapsed);

// The rate box's text as bits per second. Raises std::invalid_argument when it is not a
// positive decimal number, since the plan divides by it.
std::int32_t SendFileRate(const std::string& rateText);

// Adds without wrapping: the counters stop at the largest 32-bit value.
std::int32_t SaturatingAdd(std::int32_t counter, std::int64_t n);

} // namespace pellow
