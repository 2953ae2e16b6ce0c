#include "serial/OpenSerialDevice.h"

#include "serial/posix/PosixSerialDevice.h"

namespace pellow {

std::unique_ptr<SerialDevice> OpenSerialDevice(const std::string& name) {
    return OpenPosixSerialDevice(name);
}

} // namespace pellow
