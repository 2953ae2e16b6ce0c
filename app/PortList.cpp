#include "app/PortList.h"

#include "serial/loop/LoopbackSerialDevice.h"

namespace pellow {

std::vector<std::string> WithLoopback(std::vector<std::string> ports) {
    ports.emplace_back(LoopbackPortName);
    return ports;
}

std::vector<std::string> ListPortsWithLoopback() {
    return WithLoopback(ListSerialPorts());
}

} // namespace pellow
