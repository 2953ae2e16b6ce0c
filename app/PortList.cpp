#include "app/PortList.h"

#include "serial/loop/LoopbackSerialDevice.h"

namespace pellow {

std::vector<std::string> ListPortsWithLoopback() {
    std::vector<std::string> ports = ListSerialPorts();
    ports.emplace_back(LoopbackPortName);
    return ports;
}

} // namespace pellow
