#pragma once
// The serial ports Windows knows: its serial device map, a registry key whose values name
// the devices and whose data are the port names (COM1, COM7 …).

#include <string>
#include <vector>

#include <windows.h>

namespace pellow {

// The data of every text value of the key, in the order the registry enumerates them;
// empty when the key is missing or cannot be read. The key is only read.
std::vector<std::string> ListRegistryPorts(HKEY root, const wchar_t* keyPath);

} // namespace pellow
