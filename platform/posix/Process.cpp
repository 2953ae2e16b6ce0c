#include "platform/Process.h"

#include <cerrno>
#include <signal.h>
#include <unistd.h>

namespace pellow {

std::uint32_t CurrentProcessId() {
    return static_cast<std::uint32_t>(::getpid());
}

bool ProcessRuns(std::uint32_t id) {
    // A number beyond pid_t would make kill() address a process group.
    if (id == 0 || id > 0x7fffffffu) {
        return false;
    }
    return ::kill(static_cast<pid_t>(id), 0) == 0 || errno == EPERM;
}

} // namespace pellow
