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

} // namespace pellow
