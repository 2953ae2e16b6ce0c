#pragma once
#include <string>

namespace pellow {

// The name CreateFileA is given for a port name as typed or as the device map lists it.
// COM10 and above open only through the device namespace ("\\.\COM10"), where COM1 to
// COM9 open as well, so every name of the form COMn (any case) gets that prefix. Any
// other name, a prefixed one included, is opened exactly as typed.
std::string Win32DeviceName(const std::string& portName);

} // namespace pellow
