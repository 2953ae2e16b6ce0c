#pragma once
// How the line settings land on a termios record: raw mode, data bits, parity
// (mark and space through CMSPAR), stop bits (1.5 becomes CSTOPB, as UARTs do it for
// five data bits), software and hardware flow control, and the line speed when it is
// one of the standard rates.

#include "serial/LineSettings.h"

#include <termios.h>

namespace pellow {

// B-constant for a standard rate; B0 when the rate needs the custom-rate path.
speed_t StandardSpeed(std::uint32_t baudRate);

// Starts from the device's current record so unrelated fields keep their values.
termios MakeTermios(const termios& current, const LineSettings& settings);

} // namespace pellow
