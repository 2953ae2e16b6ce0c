#include "filesend/SendFilePlan.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <stdexcept>

namespace pellow {

namespace {

constexpr std::int32_t BitsPerByte = 10;
constexpr std::int32_t BytesPerFastTick = 10;
// Below this time per byte a tick stands for ten bytes, so the timer need not keep up with
// one tick per byte.
constexpr std::int32_t FastTickBelow = 10;

// Time the line takes for `bytes` bytes, rounded up so that it is never shorter than the
// line's. Fits: bytes <= MaxSendFileSize, so bytes * 1e10 < 2^63.
std::chrono::nanoseconds LineTime(std::int64_t bytes, std::int32_t rate) {
    const std::int64_t bitNanoseconds = bytes * BitsPerByte * 1'000'000'000;
    return std::chrono::nanoseconds((bitNanoseconds + rate - 1) / rate);
}

} // namespace

std::int32_t SaturatingAdd(std::int32_t counter, std::int64_t n) {
    const std::int64_t sum = static_cast<std::int64_t>(counter) + n;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        sum, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

TSendFilePlan PlanSendFile(std::int32_t fileSize, std::int32_t rate, std::int32_t txNow) {
    const std::int32_t byteInterval = (1000 * BitsPerByte) / rate;
    const std::int32_t tickBytes = byteInterval < FastTickBelow ? BytesPerFastTick : 1;
    TSendFilePlan plan;
    plan.SendTickInterval = (tickBytes * 1000 * BitsPerByte) / rate;
    plan.SendTicksLeft = fileSize / tickBytes;
    plan.SendTxEnd = SaturatingAdd(txNow, fileSize);
    plan.pace = {tickBytes, plan.SendTicksLeft, LineTime(tickBytes, rate),
                 LineTime(fileSize, rate)};
    return plan;
}

std::int64_t SendFileSecondsNeeded(std::int32_t fileSize, std::int32_t rate) {
    const std::int64_t bits = static_cast<std::int64_t>(fileSize) * BitsPerByte;
    return (bits + rate - 1) / rate;
}

std::vector<std::string> SendFileStartLines(std::int32_t fileSize, const std::string& rateText,
                                            std::int32_t rate) {
    return {
        "File size:" + std::to_string(fileSize) + "bytes",
        "Bandrate:" + rateText + "bps",
        "Need about " + std::to_string(SendFileSecondsNeeded(fileSize, rate)) + "second.",
        "Please waiting...",
        "You can close the serial port to stop sending action.",
    };
}

TSendFileTick SendFileTick(const TSendFilePace& pace, std::int32_t ticksLeft,
                           std::chrono::nanoseconds elapsed) {
    TSendFileTick tick;
    tick.finished = elapsed >= pace.lineTime;
    const std::int64_t due =
        tick.finished ? pace.ticks : std::min<std::int64_t>(pace.ticks, elapsed / pace.tickTime);
    const std::int64_t done = static_cast<std::int64_t>(pace.ticks) - ticksLeft;
    tick.ticks = static_cast<std::int32_t>(std::max<std::int64_t>(0, due - done));
    tick.txStep = tick.ticks * pace.tickBytes;
    return tick;
}

std::int32_t SendFileRate(const std::string& rateText) {
    std::int32_t rate = 0;
    const char* first = rateText.data();
    const char* last = first + rateText.size();
    const auto [end, ec] = std::from_chars(first, last, rate);
    if (ec != std::errc() || end != last || rate <= 0) {
        throw std::invalid_argument("'" + rateText + "' is not a valid baud rate");
    }
    return rate;
}

} // namespace pellow
