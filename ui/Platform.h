#pragma once
// What the handlers ask of the system they run on: where the program and the user's
// folders are, whether a place may be written, the clock and the user's date format, the
// machine's memory. One implementation per platform, chosen by the build. Any thread
// unless said otherwise.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace pellow {

// The folder that holds the program's executable.
std::filesystem::path ExecutableFolder();

// The folder where a user's programs keep their settings, each in a folder of its own
// name inside it.
std::filesystem::path UserConfigFolder();

// Whether the path may be written by us (a folder: files may be created in it).
bool IsWritable(const std::filesystem::path& path);

// Where saved receive data goes, in order of preference: beside the executable as always,
// then the user's own folders for when that one cannot be written (an installed program).
std::vector<std::filesystem::path> SaveFolders();

// The local date and time of day, to the second.
struct TLocalTime {
    int Year = 0;
    int Month = 0; // 1 … 12
    int Day = 0;   // 1 … 31
    int Hour = 0;  // 0 … 23
    int Minute = 0;
    int Second = 0;
};
TLocalTime LocalTimeNow();

// The date in the user's short date format, when that format writes it in numbers only;
// otherwise (a format that names the day or the month) the numeric year-month-day.
std::string ShortDateText(const TLocalTime& time);

// The machine's physical memory in bytes; 0 when the system does not tell.
std::uint64_t PhysicalMemoryBytes();

} // namespace pellow
