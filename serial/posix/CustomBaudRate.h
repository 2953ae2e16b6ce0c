#pragma once
// Rates outside the B-constants (43000, 56000 ...) through the kernel's termios2 record.
// Kept apart because the kernel's termios headers clash with the C library's.

#include <cstdint>

namespace pellow {

// The two rates of a line, in bit/s; 0 where the device cannot report them.
struct LineSpeeds {
    std::uint32_t input = 0;
    std::uint32_t output = 0;

    bool operator==(const LineSpeeds&) const = default;
};

// Sets the rate for both directions and returns the output rate the device reports
// afterwards; 0 when the device does not take custom rates.
std::uint32_t SetCustomBaudRate(int fd, std::uint32_t baudRate);

// The rates the device reports for each direction. The C library's termios cannot tell
// them apart once either is a custom rate; the kernel's record can.
LineSpeeds ReadLineSpeeds(int fd);

} // namespace pellow
