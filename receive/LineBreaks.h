#pragma once
// Line breaks of the receive area: CR LF everywhere. Pure functions; any thread.

#include <cstddef>
#include <string>
#include <string_view>

namespace pellow {

inline constexpr std::string_view LineBreak = "\r\n";

// CR LF stays, a CR without LF after it and an LF without CR before it each become CR LF.
// The result never ends in a lone CR.
std::string NormaliseLineBreaks(std::string_view text);

// Follows bytes as they are appended and tells whether any CR or LF stands outside a
// CR LF pair (a final CR counts as outside until an LF follows it).
class LoneBreakTracker {
public:
    void Reset();
    void Feed(std::string_view bytes);
    bool Any() const { return loneCount_ > 0 || pendingCr_; }

private:
    std::size_t loneCount_ = 0;
    bool pendingCr_ = false;
};

} // namespace pellow
