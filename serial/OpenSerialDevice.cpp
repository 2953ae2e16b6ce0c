#include "serial/OpenSerialDevice.h"

#include "serial/loop/LoopbackSerialDevice.h"
#include "serial/posix/PosixSerialDevice.h"

namespace pellow {

std::unique_ptr<SerialDevice> OpenSerialDevice(const std::string& name) {
    if (name == LoopbackPortName) {
        return LoopbackSerialDevice::Open();
    }
    return OpenPosixSerialDevice(name);
}

} // namespace pellow
