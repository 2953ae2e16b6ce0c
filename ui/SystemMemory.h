#pragma once
// What the machine offers, asked of the operating system. Any thread.

#include <cstdint>

namespace pellow {

// The machine's physical memory in bytes; 0 when the system does not tell.
std::uint64_t PhysicalMemoryBytes();

} // namespace pellow
