#pragma once
// The serial ports the system knows, and the list the window offers. Nothing is opened:
// a port the user may not open is listed all the same, so that opening it explains why it
// fails instead of the port silently missing. GUI thread (the first show).

#include <string>
#include <vector>

namespace pellow {

// The system's serial ports, by the names that open them; empty when there are none.
// One implementation per platform (app/posix, app/win32).
std::vector<std::string> ListSerialPorts();

// The first serial ports of the system by their usual names (COM1 … COM4, /dev/ttyS0 …
// /dev/ttyS3), which the window shows until the list is read.
std::vector<std::string> FirstPortNames();

// The system's serial ports as it gives them (the port box sorts them), then the built-in
// loopback port, so that the program opens something useful on a machine with no serial
// hardware.
std::vector<std::string> ListPortsWithLoopback();

} // namespace pellow
