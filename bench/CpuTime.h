#pragma once
#include <sys/resource.h>

namespace pellow::bench {

// CPU seconds (user + system) this process has used so far, all threads together.
inline double CpuSeconds() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

} // namespace pellow::bench
