#include "serial/OpenSerialDevice.h"

#include "serial/loop/LoopbackSerialDevice.h"
#include "serial/win32/Win32SerialDevice.h"

namespace pellow {

std::unique_ptr<SerialDevice> OpenSerialDevice(const std::string& name) {
    if (name == LoopbackPortName) {
        return LoopbackSerialDevice::Open();
    }
    return OpenWin32SerialDevice(name);
}

// A port opened with share mode 0 is exclusive by itself; there is no lock file to place.
std::unique_ptr<SerialDevice> OpenSerialDevice(const std::string& name,
                                               const std::filesystem::path&) {
    return OpenSerialDevice(name);
}

} // namespace pellow
