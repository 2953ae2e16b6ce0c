#include "serial/DeviceTimeouts.h"

#include <limits>

namespace pellow {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr std::uint32_t NoWaitInterval = 0xFFFFFFFF;

// multiplier * count + constant, in milliseconds, held at the largest value on overflow.
std::uint64_t SaturatingTotal(std::uint32_t multiplier, std::size_t count, std::uint32_t constant) {
    constexpr std::uint64_t most = std::numeric_limits<std::uint64_t>::max();
    if (multiplier != 0 && count > (most - constant) / multiplier) {
        return most;
    }
    return std::uint64_t{multiplier} * count + constant;
}

// `from` plus `ms` milliseconds, held at the clock's last moment where the sum would not
// fit: multiplier times length reaches thousands of years, past what the clock can count.
Clock::time_point AfterMilliseconds(Clock::time_point from, std::uint64_t ms) {
    using std::chrono::duration_cast;
    const auto room = duration_cast<milliseconds>(Clock::time_point::max() - from).count();
    if (ms >= static_cast<std::uint64_t>(room)) {
        return Clock::time_point::max();
    }
    return from + milliseconds(static_cast<milliseconds::rep>(ms));
}

} // namespace

void Earliest(std::optional<Clock::time_point>& deadline, Clock::time_point candidate) {
    if (!deadline || candidate < *deadline) {
        deadline = candidate;
    }
}

ReadCompletion CheckReadCompletion(const PendingRead& read, const CommTimeouts& t,
                                   Clock::time_point now) {
    ReadCompletion result;
    if (read.count == read.capacity) {
        result.done = true;
        return result;
    }
    if (read.count > 0 && t.readInterval != 0) {
        if (t.readInterval == NoWaitInterval) {
            result.done = true;
            return result;
        }
        // "More than the interval": the read ends just after it has fully passed.
        auto intervalEnd = AfterMilliseconds(read.lastByte, t.readInterval);
        if (intervalEnd != Clock::time_point::max()) {
            intervalEnd += std::chrono::microseconds(1);
        }
        if (now >= intervalEnd) {
            result.done = true;
            return result;
        }
        Earliest(result.wakeBy, intervalEnd);
    }
    if (t.readTotalMultiplier != 0 || t.readTotalConstant != 0) {
        const auto totalEnd =
            AfterMilliseconds(read.started, SaturatingTotal(t.readTotalMultiplier, read.capacity,
                                                            t.readTotalConstant));
        if (now >= totalEnd) {
            result.done = true;
            return result;
        }
        Earliest(result.wakeBy, totalEnd);
    }
    return result;
}

std::optional<Clock::time_point> WriteDeadline(const CommTimeouts& t, std::size_t length,
                                               Clock::time_point now) {
    if (t.writeTotalMultiplier == 0 && t.writeTotalConstant == 0) {
        return std::nullopt;
    }
    return AfterMilliseconds(now,
                             SaturatingTotal(t.writeTotalMultiplier, length, t.writeTotalConstant));
}

} // namespace pellow
