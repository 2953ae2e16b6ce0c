#include "ProcessFigures.h"

#include <dirent.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>

namespace pellow::bench {

double ResidentMb() {
    std::ifstream in("/proc/self/statm");
    long size = 0, resident = 0;
    in >> size >> resident;
    return static_cast<double>(resident) * static_cast<double>(::sysconf(_SC_PAGESIZE)) / 1e6;
}

std::string LoadAverage() {
    std::ifstream in("/proc/loadavg");
    std::string a, b, c;
    in >> a >> b >> c;
    return a + " " + b + " " + c;
}

int ThreadCount() {
    int count = 0;
    if (DIR* dir = ::opendir("/proc/self/task")) {
        while (const dirent* entry = ::readdir(dir))
            count += entry->d_name[0] != '.';
        ::closedir(dir);
    }
    return count;
}

std::int64_t HeapBytesInUse() {
    // mallinfo2 sees the main arena only, while worker threads allocate from arenas of
    // their own; malloc_stats sums them all, but prints to standard error, so its report
    // is caught in a file for the moment.
    std::fflush(stderr);
    FILE* report = std::tmpfile();
    if (report == nullptr)
        return -1;
    const int savedErr = ::dup(STDERR_FILENO);
    ::dup2(::fileno(report), STDERR_FILENO);
    ::malloc_stats();
    std::fflush(stderr);
    ::dup2(savedErr, STDERR_FILENO);
    ::close(savedErr);
    std::rewind(report);
    // The last "in use bytes" line is the total, mmap-ed blocks included.
    std::int64_t inUse = -1;
    char line[256];
    while (std::fgets(line, sizeof line, report)) {
        long long value = 0;
        if (std::sscanf(line, "in use bytes = %lld", &value) == 1)
            inUse = value;
    }
    std::fclose(report);
    return inUse;
}

} // namespace pellow::bench
