#pragma once
// Chooses the kind of device from its name ("loop://" is the built-in loopback, any
// other name the operating system's own port) and opens it exclusively. Raises
// ECommsError with the message of the step that failed ("Error opening serial port",
// "File handle is not a comm handle ", "Cannot setup comm buffer"), holding nothing
// afterwards. One implementation per platform.
// A POSIX terminal device's lock file goes into `lockFolder` (empty: none), or by
// default into the system's lock folder; Windows keeps a port exclusive by itself and
// has no use for the folder.

#include "serial/SerialDevice.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace pellow {

std::unique_ptr<SerialDevice> OpenSerialDevice(const std::string& name);
std::unique_ptr<SerialDevice> OpenSerialDevice(const std::string& name,
                                               const std::filesystem::path& lockFolder);

// How a TComm turns its CommName into a device; OpenSerialDevice unless its owner says
// otherwise. Raises ECommsError as OpenSerialDevice does.
using TDeviceOpener = std::function<std::unique_ptr<SerialDevice>(const std::string& name)>;

} // namespace pellow
