#pragma once
// How the line settings land on a terminal: raw mode, data bits, parity (mark and
// space through CMSPAR), stop bits (1.5 becomes CSTOPB, as UARTs do it for five data
// bits), the line speed when it is one of the standard rates, and, read from the
// control block's flags word, parity checking, software and hardware flow control and
// the DTR and RTS lines. DSR flow, DSR sensitivity, continuing after XOFF and the error
// character have no terminal equivalent and are left out.

#include "serial/LineSettings.h"

#include <termios.h>

namespace pellow {

// B-constant for a standard rate; B0 when the rate needs the custom-rate path.
speed_t StandardSpeed(std::uint32_t baudRate);

// Starts from the device's current record so unrelated fields keep their values.
termios MakeTermios(const termios& current, const LineSettings& settings);

// TIOCM_ bits of the modem lines to raise and to lower for a flags word. A line under
// handshake is left to the driver.
struct ModemLineChange {
    int raise = 0;
    int lower = 0;
};
ModemLineChange ModemLinesFor(std::uint32_t dcbFlags);

} // namespace pellow
