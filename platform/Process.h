#pragma once
// This process and others, by their system-wide number. Any thread.

#include <cstdint>

namespace pellow {

std::uint32_t CurrentProcessId();

// Whether a process of that number is running now (also one we may not signal or open).
bool ProcessRuns(std::uint32_t id);

} // namespace pellow
