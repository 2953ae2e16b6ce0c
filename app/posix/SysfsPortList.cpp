#include "app/posix/SysfsPortList.h"

#include "app/PortList.h"

#include <fstream>

namespace pellow {

namespace fs = std::filesystem;

namespace {

// The UART type the kernel reports for an 8250 port in sysfs, readable by every user;
// 0 (PORT_UNKNOWN) when there is no UART. A port whose type cannot be read is taken as
// having none, like the phantom ports it most likely is.
bool UartExists(const fs::path& ttyFolder) {
    std::ifstream typeFile(ttyFolder / "type");
    int type = 0;
    return typeFile >> type && type != 0;
}

} // namespace

std::vector<std::string> ListSysfsPorts(const PortListSource& source) {
    std::vector<std::string> ports;
    std::error_code ec;
    fs::directory_iterator it(source.SysClassTty, ec);
    if (ec) {
        return ports;
    }
    for (const auto& entry : it) {
        const fs::path driverLink = entry.path() / "device" / "driver";
        std::error_code linkError;
        const fs::path driver = fs::read_symlink(driverLink, linkError);
        if (linkError) {
            continue; // virtual consoles, ptys and the like have no device driver
        }
        if (driver.filename() == "serial8250" && !UartExists(entry.path())) {
            continue;
        }
        ports.push_back((source.DevFolder / entry.path().filename()).string());
    }
    return ports;
}

std::vector<std::string> FirstPortNames() {
    return {"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"};
}

std::vector<std::string> ListSerialPorts() {
    return ListSysfsPorts(PortListSource{});
}

} // namespace pellow
