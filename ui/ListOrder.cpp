#include "ui/ListOrder.h"

#include <cctype>

namespace pellow {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int Lower(char c) {
    return std::tolower(static_cast<unsigned char>(c));
}

// The run of digits at the start of s, without its leading zeros.
std::string_view DigitRun(std::string_view s, std::size_t& length) {
    length = 0;
    while (length < s.size() && IsDigit(s[length]))
        ++length;
    std::size_t zeros = 0;
    while (zeros + 1 < length && s[zeros] == '0')
        ++zeros;
    return s.substr(zeros, length - zeros);
}

} // namespace

bool ListOrderLess(std::string_view a, std::string_view b) {
    while (!a.empty() && !b.empty()) {
        if (IsDigit(a.front()) && IsDigit(b.front())) {
            std::size_t lengthA = 0;
            std::size_t lengthB = 0;
            const std::string_view numberA = DigitRun(a, lengthA);
            const std::string_view numberB = DigitRun(b, lengthB);
            // Numbers of any length: the longer one (without leading zeros) is larger.
            if (numberA.size() != numberB.size())
                return numberA.size() < numberB.size();
            if (numberA != numberB)
                return numberA < numberB;
            a.remove_prefix(lengthA);
            b.remove_prefix(lengthB);
            continue;
        }
        if (Lower(a.front()) != Lower(b.front()))
            return Lower(a.front()) < Lower(b.front());
        a.remove_prefix(1);
        b.remove_prefix(1);
    }
    return a.size() < b.size();
}

} // namespace pellow
