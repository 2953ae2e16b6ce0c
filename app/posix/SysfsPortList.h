#pragma once
// The serial devices a Linux system knows, as full device paths (/dev/ttyUSB0,
// /dev/ttyACM0, /dev/ttyS0 …): every tty under the sysfs class folder that has a driver.
// Legacy 8250 ports are listed only when their UART exists: the kernel makes ttyS0 to
// ttyS31 whether or not there is hardware behind them.

#include <filesystem>
#include <string>
#include <vector>

namespace pellow {

struct PortListSource {
    // The sysfs tty class folder.
    std::filesystem::path SysClassTty = "/sys/class/tty";
    // Where the device nodes are.
    std::filesystem::path DevFolder = "/dev";
};

// In the order sysfs gives; empty when there are none.
std::vector<std::string> ListSysfsPorts(const PortListSource& source);

} // namespace pellow
