#include "app/CounterText.h"

#include <charconv>
#include <stdexcept>

namespace pellow {

std::string AddToCounterText(const std::string& counter, std::int64_t n) {
    std::int32_t value = 0;
    const char* first = counter.data();
    const char* last = counter.data() + counter.size();
    if (first != last && *first == '+') {
        ++first;
    }
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last || first == last) {
        throw std::invalid_argument("'" + counter + "' is not a valid integer value");
    }
    const auto sum = static_cast<std::uint32_t>(value) + static_cast<std::uint32_t>(n);
    return std::to_string(static_cast<std::int32_t>(sum));
}

} // namespace pellow
