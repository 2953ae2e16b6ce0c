// The settings file's writes, for a soak that kills them: one mode writes a send-list
// entry of the settings file over and over, the next version each time, until it is
// killed; the other checks afterwards that the file holds exactly what one whole write
// left, either the last one finished or the one under way, and that it reads back.
//
// Each version's value runs over every byte value, line breaks, DLE, NUL and quotes
// among them, and is long enough that a write takes a while, so that a kill at a random
// moment often lands inside one.
//
// Usage: soak_settings_write start FOLDER     puts the file every run starts from there
//        soak_settings_write write FOLDER     writes versions 1, 2, ... and prints each
//                                             number once its write is done
//        soak_settings_write check FOLDER N   N: the last version printed (0 for none)

#include "app/IniFile.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

using pellow::TIniFile;
namespace fs = std::filesystem;

constexpr std::size_t ValueBytes = 256 * 1024;
const char* const Section = "SendList";
const char* const Key = "data7";

// The file every run starts from: another section and entry that no write touches.
const std::string Start = "[SendList]\r\n12=1\r\ndata1=AT\r\n[COMSetting]\r\nBandRate=11\r\n";

std::string Version(long n) {
    std::string value = "version " + std::to_string(n) + ":";
    for (std::size_t i = 0; value.size() < ValueBytes; ++i)
        value += static_cast<char>((i * 7 + static_cast<std::size_t>(n)) % 256);
    return value;
}

// The file's text after a whole write of version n (the start text for 0).
std::string FileAfter(long n) {
    return n == 0 ? Start : pellow::ini::SetValue(Start, Section, Key, Version(n));
}

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

int Write(const fs::path& folder) {
    TIniFile file(folder / "Tarvik.ini");
    for (long n = 1;; ++n) {
        file.WriteString(Section, Key, Version(n));
        std::printf("%ld\n", n);
        std::fflush(stdout);
    }
}

int Check(const fs::path& folder, long last) {
    const fs::path ini = folder / "Tarvik.ini";
    const std::string text = Contents(ini);
    const long version = text == FileAfter(last) ? last : text == FileAfter(last + 1) ? last + 1 : -1;
    TIniFile file(ini);
    const std::string value = file.ReadString(Section, Key, "");
    const bool readsBack = version >= 0 && value == (version == 0 ? "" : Version(version));
    int temporaries = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        temporaries += entry.path().filename() != "Tarvik.ini";
    // What the program does at its next start with copies a killed write left.
    file.RemoveAbandonedTemporaries();
    int left = 0;
    for (const auto& entry : fs::directory_iterator(folder))
        left += entry.path().filename() != "Tarvik.ini";
    if (version < 0 || !readsBack || left != 0) {
        std::printf("after version %ld: the file holds %zu bytes that are %s; %d temporary"
                    " copies, %d left after clearing\n",
                    last, text.size(), version < 0 ? "neither the old nor the new text" : "whole",
                    temporaries, left);
        return 1;
    }
    std::printf("%s %d\n", version == last ? "old" : "new", temporaries);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 2 ? argv[1] : "";
    if (mode == "start")
        return std::ofstream(fs::path(argv[2]) / "Tarvik.ini", std::ios::binary) << Start ? 0 : 1;
    if (mode == "write")
        return Write(argv[2]);
    if (mode == "check" && argc > 3)
        return Check(argv[2], std::strtol(argv[3], nullptr, 10));
    std::fprintf(stderr, "usage: %s start FOLDER | write FOLDER | check FOLDER LAST_VERSION\n",
                 argv[0]);
    return 2;
}
