#pragma once
// Chooses the kind of device from its name ("loop://" is the built-in loopback, any
// other name a terminal device) and opens it exclusively. Raises ECommsError
// with the message of the step that failed ("Error opening serial port", "File handle
// is not a comm handle ", "Cannot setup comm buffer"), holding nothing afterwards.

#include "serial/SerialDevice.h"

#include <functional>
#include <memory>
#include <string>

namespace pellow {

std::unique_ptr<SerialDevice> OpenSerialDevice(const std::string& name);

// How a TComm turns its CommName into a device; OpenSerialDevice unless its owner says
// otherwise. Raises ECommsError as OpenSerialDevice does.
using TDeviceOpener = std::function<std::unique_ptr<SerialDevice>(const std::string& name)>;

} // namespace pellow
