#include "platform/Process.h"

#include <windows.h>

namespace pellow {

std::uint32_t CurrentProcessId() {
    return ::GetCurrentProcessId();
}

bool ProcessRuns(std::uint32_t id) {
    if (id == 0) {
        return false;
    }
    const HANDLE process = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (process == nullptr) {
        // A process we may not look at still runs; a number no process has is refused
        // as an invalid parameter.
        return ::GetLastError() == ERROR_ACCESS_DENIED;
    }
    DWORD code = 0;
    const bool runs = ::GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    ::CloseHandle(process);
    return runs;
}

} // namespace pellow
