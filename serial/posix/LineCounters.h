#pragma once
// Line errors and modem-line changes from the driver's interrupt counters: whatever
// grew between two samples happened in between.

#include "serial/SerialDevice.h"

#include <cstdint>

namespace pellow {

struct LineCounters {
    std::uint32_t frame = 0;
    std::uint32_t parity = 0;
    std::uint32_t overrun = 0;
    std::uint32_t bufferOverrun = 0;
    std::uint32_t breaks = 0;
    std::uint32_t carrier = 0;
    std::uint32_t ring = 0;
};

// Parity errors count only when the line checks parity.
LineEvents LineEventsBetween(const LineCounters& before, const LineCounters& after,
                             bool parityCheck);

enum class CounterRead { Ok, Unsupported, Failed };
CounterRead ReadLineCounters(int fd, LineCounters& counters);

} // namespace pellow
