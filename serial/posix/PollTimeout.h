#pragma once
// poll's timeout argument for a wait that ends at a moment (none: never).

#include <chrono>
#include <climits>
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
    // Round up so the deadline has passed when poll returns. A deadline beyond poll's
    // reach (about 24 days) wakes it early instead; the caller then looks again.
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
    return ms > INT_MAX ? INT_MAX : static_cast<int>(ms);
}

} // namespace pellow
