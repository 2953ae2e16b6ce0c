#pragma once
// What the benchmarks and soak runs read about their own process and the machine.

#include <cstdint>
#include <string>

namespace pellow::bench {

// Resident memory in MB (10^6 bytes).
double ResidentMb();
// The machine's load averages over 1, 5 and 15 minutes, as /proc/loadavg gives them.
std::string LoadAverage();
// Threads of this process.
int ThreadCount();
// Bytes the allocator has handed out and not had back, over all its arenas and its
// mmap-ed blocks. Unlike the resident size it does not keep pages a free left behind.
std::int64_t HeapBytesInUse();

} // namespace pellow::bench
