#pragma once
// How the timeout record ends reads and writes. Every device cuts its reads the same
// way (at a full buffer, after more than the interval without a byte, or when the total
// time runs out) and bounds its writes the same way; only how it waits differs.

#include "serial/LineSettings.h"
#include "serial/SerialDevice.h"

#include <chrono>
#include <cstddef>
#include <optional>

namespace pellow {

struct ReadCompletion {
    bool done = false;
    // When not done: the latest moment to look again (none: only new bytes can end it).
    std::optional<std::chrono::steady_clock::time_point> wakeBy;
};

// Asked when no more bytes are waiting on the device right now.
ReadCompletion CheckReadCompletion(const PendingRead& read, const CommTimeouts& timeouts,
                                   std::chrono::steady_clock::time_point now);

// Keeps the earlier of the two moments.
void Earliest(std::optional<std::chrono::steady_clock::time_point>& deadline,
              std::chrono::steady_clock::time_point candidate);

// When a write of `length` bytes begun at `now` has to give up (none: never).
std::optional<std::chrono::steady_clock::time_point>
WriteDeadline(const CommTimeouts& timeouts, std::size_t length,
              std::chrono::steady_clock::time_point now);

} // namespace pellow
