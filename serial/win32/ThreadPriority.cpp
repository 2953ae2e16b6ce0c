#include "serial/ThreadPriority.h"

#include "serial/win32/WindowsApi.h"

namespace pellow {

void RaiseCurrentThreadPriority(int steps) {
    const int priority = steps >= 2   ? THREAD_PRIORITY_HIGHEST
                         : steps == 1 ? THREAD_PRIORITY_ABOVE_NORMAL
                                      : THREAD_PRIORITY_NORMAL;
    ::SetThreadPriority(::GetCurrentThread(), priority);
}

} // namespace pellow
