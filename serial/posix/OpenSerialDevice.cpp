#include "serial/OpenSerialDevice.h"

#include "serial/loop/LoopbackSerialDevice.h"
#include "serial/posix/PortLockFile.h"
#include "serial/posix/PosixSerialDevice.h"

namespace pellow {

std::unique_ptr<SerialDevice> OpenSerialDevice(const std::string& name) {
    return OpenSerialDevice(name, SystemLockFolder());
}

std::unique_ptr<SerialDevice> OpenSerialDevice(const std::string& name,
                                               const std::filesystem::path& lockFolder) {
    if (name == LoopbackPortName) {
        return LoopbackSerialDevice::Open();
    }
    return OpenPosixSerialDevice(name, lockFolder);
}

} // namespace pellow
