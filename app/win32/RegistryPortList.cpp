#include "app/win32/RegistryPortList.h"

#include "app/PortList.h"
#include "platform/win32/WideText.h"

namespace pellow {

namespace {

class TRegistryKey {
public:
    TRegistryKey(HKEY root, const wchar_t* path) {
        // Reading is all the list needs; asking for more would fail for every user who is
        // not an administrator.
        if (::RegOpenKeyExW(root, path, 0, KEY_QUERY_VALUE, &key_) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~TRegistryKey() {
        if (key_)
            ::RegCloseKey(key_);
    }
    TRegistryKey(const TRegistryKey&) = delete;
    TRegistryKey& operator=(const TRegistryKey&) = delete;
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

} // namespace

std::vector<std::string> ListRegistryPorts(HKEY root, const wchar_t* keyPath) {
    std::vector<std::string> ports;
    const TRegistryKey key(root, keyPath);
    if (!key.Get())
        return ports;
    DWORD longestName = 0;
    DWORD longestData = 0;
    if (::RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                           &longestName, &longestData, nullptr, nullptr) != ERROR_SUCCESS)
        return ports;
    std::wstring name(longestName + 1, L'\0');
    std::wstring data(longestData / sizeof(wchar_t) + 1, L'\0');
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD dataBytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        DWORD type = 0;
        const LONG result =
            ::RegEnumValueW(key.Get(), index, name.data(), &nameLength, nullptr, &type,
                            reinterpret_cast<BYTE*>(data.data()), &dataBytes);
        if (result == ERROR_NO_MORE_ITEMS)
            break;
        // A value that grew since the sizes were asked, or is not text, names no port.
        if (result != ERROR_SUCCESS || type != REG_SZ)
            continue;
        std::wstring_view port(data.data(), dataBytes / sizeof(wchar_t));
        while (!port.empty() && port.back() == L'\0')
            port.remove_suffix(1);
        if (!port.empty())
            ports.push_back(Utf8FromWide(port));
    }
    return ports;
}

std::vector<std::string> FirstPortNames() {
    return {"COM1", "COM2", "COM3", "COM4"};
}

std::vector<std::string> ListSerialPorts() {
    return ListRegistryPorts(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM");
}

} // namespace pellow
