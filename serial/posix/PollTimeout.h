#pragma once
// poll's timeout argument for a wait that ends at a moment (none: never).

#include <chrono>
#include <optional>

namespace pellow {

inline int PollTimeout(std::optional<std::chrono::steady_clock::time_point> deadline) {
    if (!deadline) {
        return -1;
    }
    const auto left = *deadline - std::chrono::steady_clock::now();
    if (left <= std::chrono::steady_clock::duration::zero()) {
        return 0;
    }
    // Round up so the deadline has passed when poll returns.
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
}

} // namespace pellow
