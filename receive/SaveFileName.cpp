#include "receive/SaveFileName.h"

#include <cstdio>

namespace pellow {

namespace {

bool AllowedInFileName(char c) {
    if (static_cast<unsigned char>(c) < 0x20)
        return false;
    switch (c) {
    case '/':
    case '\\':
    case ':':
    case '*':
    case '?':
    case '"':
    case '<':
    case '>':
    case '|':
        return false;
    default:
        return true;
    }
}

} // namespace

std::string SaveFileName(std::string_view shortDate, int hour, int minute, int second) {
    std::string name = "Save";
    for (char c : shortDate)
        name.push_back(AllowedInFileName(c) ? c : '-');
    char time[16];
    std::snprintf(time, sizeof time, " %02d.%02d.%02d", hour, minute, second);
    name += time;
    name += ".txt";
    return name;
}

bool IsNumericDateFormat(std::string_view format) {
    bool quoted = false;
    for (std::size_t i = 0; i < format.size();) {
        const char c = format[i];
        if (c == '\'') {
            quoted = !quoted;
            ++i;
            continue;
        }
        std::size_t run = 1;
        while (i + run < format.size() && format[i + run] == c)
            ++run;
        // Three or more of d or M spell a day or a month name.
        if (!quoted && (c == 'd' || c == 'M') && run >= 3)
            return false;
        i += run;
    }
    return true;
}

} // namespace pellow
