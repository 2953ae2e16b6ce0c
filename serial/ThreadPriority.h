#pragma once

namespace pellow {

// Raises the calling thread's priority by the given number of steps above normal when
// the system allows it; an unprivileged process simply keeps the normal priority.
void RaiseCurrentThreadPriority(int steps);

} // namespace pellow
