#include "send/SendInterval.h"

#include <algorithm>
#include <charconv>

namespace pellow {

std::optional<std::int32_t> ParseSendInterval(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const bool allDigits = !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return c >= '0' && c <= '9';
    });
    if (!allDigits)
        return std::nullopt;
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value, 10);
    if (ec != std::errc() || ptr != end || (negative && value != 0))
        return std::nullopt;
    return value;
}

bool IsIntervalKey(char key) {
    return (key >= '0' && key <= '9') || key == '\b';
}

} // namespace pellow
