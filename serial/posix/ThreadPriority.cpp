#include "serial/ThreadPriority.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace pellow {

void RaiseCurrentThreadPriority(int steps) {
    // On Linux a nice value set for a thread id applies to that thread alone.
    const auto tid = static_cast<id_t>(::syscall(SYS_gettid));
    ::setpriority(PRIO_PROCESS, tid, -steps);
}

} // namespace pellow
