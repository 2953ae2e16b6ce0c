#include "serial/DeviceTimeouts.h"

namespace pellow {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

constexpr std::uint32_t NoWaitInterval = 0xFFFFFFFF;

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
        const auto intervalEnd =
            read.lastByte + milliseconds(t.readInterval) + std::chrono::microseconds(1);
        if (now >= intervalEnd) {
            result.done = true;
            return result;
        }
        Earliest(result.wakeBy, intervalEnd);
    }
    if (t.readTotalMultiplier != 0 || t.readTotalConstant != 0) {
        const auto totalEnd =
            read.started + milliseconds(std::uint64_t{t.readTotalMultiplier} * read.capacity +
                                        t.readTotalConstant);
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
    return now +
           milliseconds(std::uint64_t{t.writeTotalMultiplier} * length + t.writeTotalConstant);
}

} // namespace pellow
