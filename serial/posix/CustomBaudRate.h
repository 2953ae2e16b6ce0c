#pragma once
// Rates outside the B-constants (43000, 56000 ...) through the kernel's termios2 record.
// Kept apart because the kernel's termios headers clash with the C library's.

#include <cstdint>

namespace pellow {

// Sets the rate for both directions and returns the output rate the device reports
// afterwards; 0 when the device does not take custom rates.
std::uint32_t SetCustomBaudRate(int fd, std::uint32_t baudRate);

// The output rate the device reports; 0 when it cannot be read.
std::uint32_t ReadBaudRate(int fd);

} // namespace pellow
