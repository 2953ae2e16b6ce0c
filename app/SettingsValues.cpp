#include "app/SettingsValues.h"

#include <charconv>
#include <optional>

namespace pellow {

namespace {

std::optional<int> DecimalInteger(const std::string& text) {
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+') {
        ++first;
    }
    int value = 0;
    const auto [end, ec] = std::from_chars(first, last, value);
    if (first == last || ec != std::errc() || end != last) {
        return std::nullopt;
    }
    return value;
}

} // namespace

bool IsValidityMark(const std::string& value) {
    return value == "0" || value == "1";
}

bool FlagChecks(const std::string& value) {
    return value != "0";
}

std::array<int, 4> ParameterIndices(const std::array<std::string, 4>& values,
                                    const std::array<int, 4>& itemCounts) {
    std::array<int, 4> indices{};
    for (std::size_t i = 0; i < values.size(); ++i) {
        const auto index = DecimalInteger(values[i]);
        if (!index || *index < 0 || *index >= itemCounts[i]) {
            return DefaultParameterIndices;
        }
        indices[i] = *index;
    }
    return indices;
}

} // namespace pellow
