#pragma once
// A property a fuzz target holds its input to. A failed one says which and aborts, so that
// libFuzzer keeps the input as a crash file.

#include <cstdio>
#include <cstdlib>

namespace pellow::fuzz {

inline void Require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property failed: %s\n", property);
        std::abort();
    }
}

} // namespace pellow::fuzz
