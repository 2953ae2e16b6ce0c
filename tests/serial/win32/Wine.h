#pragma once
#include "serial/win32/WindowsApi.h"

namespace pellow::test {

// Wine gives itself away through an export of its own; checks that Wine cannot make
// (share-mode exclusivity, rates it does not map) are skipped there.
inline bool RunningUnderWine() {
    const HMODULE ntdll = ::GetModuleHandleA("ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

} // namespace pellow::test
