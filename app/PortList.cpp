#include "app/PortList.h"

#include "serial/loop/LoopbackSerialDevice.h"
#include "ui/ListOrder.h"

#include <algorithm>

namespace pellow {

std::vector<std::string> WithLoopback(std::vector<std::string> ports) {
    std::stable_sort(ports.begin(), ports.end(), [](const std::string& a, const std::string& b) {
        return ListOrderLess(a, b);
    });
    ports.emplace_back(LoopbackPortName);
    return ports;
}

std::vector<std::string> ListPortsWithLoopback() {
    return WithLoopback(ListSerialPorts());
}

} // namespace pellow
