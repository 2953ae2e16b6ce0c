#pragma once
// A line that ignores null characters drops them on receipt.

#include <algorithm>
#include <cstddef>

namespace pellow {

// Keeps the bytes that are not null, in place and in order; returns how many are left.
inline std::size_t DropNullChars(char* at, std::size_t count) {
    return static_cast<std::size_t>(std::remove(at, at + count, '\0') - at);
}

} // namespace pellow
