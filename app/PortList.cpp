#include "app/PortList.h"

#include "serial/loop/LoopbackSerialDevice.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace pellow {

namespace fs = std::filesystem;

bool SerialUartExists(const std::string& devicePath) {
    const int fd = ::open(devicePath.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    serial_struct info{};
    const bool exists = ::ioctl(fd, TIOCGSERIAL, &info) == 0 && info.type != PORT_UNKNOWN;
    ::close(fd);
    return exists;
}

std::vector<std::string> ListSerialPorts(const PortListSource& source) {
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
        const std::string device = (source.DevFolder / entry.path().filename()).string();
        if (driver.filename() == "serial8250") {
            const auto& exists = source.UartExists ? source.UartExists : SerialUartExists;
            if (!exists(device)) {
                continue;
            }
        }
        ports.push_back(device);
    }
    return ports;
}

std::vector<std::string> ListPortsWithLoopback(const PortListSource& source) {
    std::vector<std::string> ports = ListSerialPorts(source);
    ports.emplace_back(LoopbackPortName);
    return ports;
}

} // namespace pellow
