#include "serial/win32/DeviceName.h"

#include <algorithm>

namespace pellow {

namespace {

bool IsComPortName(const std::string& name) {
    if (name.size() < 4) {
        return false;
    }
    const auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
    const bool com = upper(name[0]) == 'C' && upper(name[1]) == 'O' && upper(name[2]) == 'M';
    return com && std::all_of(name.begin() + 3, name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::string Win32DeviceName(const std::string& portName) {
    return IsComPortName(portName) ? R"(\\.\)" + portName : portName;
}

} // namespace pellow
