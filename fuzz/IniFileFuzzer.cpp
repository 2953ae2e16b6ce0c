// The settings file: any file is read without harm; after writes of any values (line
// breaks, quotes, blanks, DLE, NUL, bytes of 0x80 and above) each key reads back the value
// last written to it, and every other key the value it had. Written through the text
// functions, key by key through a file, or in one batch.

#include "FuzzCheck.h"
#include "app/IniFile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

using pellow::fuzz::Require;

namespace {

// The program's own names, in other spellings too: names are compared without case.
constexpr std::array<const char*, 4> Sections = {"SendList", "COMSetting", "sendlist", "Other"};
constexpr std::array<const char*, 12> Keys = {"data1",    "DATA1",    "data12",   "12",
                                              "1",        "20",       "data20",   "BandRate",
                                              "bandrate", "ByteSize", "StopBits", "Parity"};

std::string Lower(std::string_view name) {
    std::string lower(name);
    for (char& c : lower)
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    return lower;
}

constexpr std::size_t NameCount = Sections.size() * Keys.size();

// Each section and key by the number of its first spelling: names that differ only in case
// share it.
std::size_t NameOf(std::size_t section, std::size_t key) {
    static const std::array<std::size_t, NameCount> first = [] {
        std::array<std::size_t, NameCount> numbers{};
        for (std::size_t n = 0; n < NameCount; ++n) {
            numbers[n] = n;
            for (std::size_t m = 0; m < n; ++m) {
                if (Lower(Sections[n / Keys.size()]) == Lower(Sections[m / Keys.size()]) &&
                    Lower(Keys[n % Keys.size()]) == Lower(Keys[m % Keys.size()])) {
                    numbers[n] = numbers[m];
                    break;
                }
            }
        }
        return numbers;
    }();
    return first[section * Keys.size() + key];
}

enum class Route { FileKeyByKey, FileInOneBatch, Text };

// A folder of its own for the whole run, holding the settings file.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string name = (std::filesystem::temp_directory_path() / "pellow-ini-fuzz.XXXXXX").string();
        Require(::mkdtemp(name.data()) != nullptr, "a folder for the settings file");
        folder_ = name;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    std::filesystem::path File() const { return folder_ / "Tarvik.ini"; }

private:
    std::filesystem::path folder_;
};

const std::filesystem::path& SettingsPath() {
    static const ScratchFolder folder;
    static const std::filesystem::path path = folder.File();
    return path;
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    // Most inputs go through the text alone: a file replaced at every write costs far more.
    const auto route = static_cast<Route>(std::min(input.ConsumeIntegralInRange(0, 15), 2));
    std::string text = input.ConsumeRandomLengthString(2048);

    std::array<std::optional<std::string>, NameCount> expected;
    for (std::size_t s = 0; s < Sections.size(); ++s) {
        for (std::size_t k = 0; k < Keys.size(); ++k)
            expected[NameOf(s, k)] = pellow::ini::FindValue(text, Sections[s], Keys[k]);
    }

    std::optional<pellow::TIniFile> file;
    std::optional<pellow::TIniBatch> batch;
    if (route != Route::Text) {
        std::ofstream(SettingsPath(), std::ios::binary | std::ios::trunc) << text;
        file.emplace(SettingsPath());
        if (route == Route::FileInOneBatch)
            batch.emplace(*file);
    }
    for (int writes = 0; writes < 16 && input.remaining_bytes() > 0; ++writes) {
        const auto s = input.ConsumeIntegralInRange<std::size_t>(0, Sections.size() - 1);
        const auto k = input.ConsumeIntegralInRange<std::size_t>(0, Keys.size() - 1);
        const std::string value = input.ConsumeRandomLengthString(256);
        const std::string stored = pellow::ini::EncodeValue(value);
        Require(stored.find_first_of("\r\n") == std::string::npos, "a value stays on its line");
        Require(pellow::ini::DecodeValue(stored) == value, "a stored value reads back");
        if (file)
            file->WriteString(Sections[s], Keys[k], value);
        else
            text = pellow::ini::SetValue(text, Sections[s], Keys[k], value);
        expected[NameOf(s, k)] = value;
    }
    if (batch)
        batch->Commit();
    if (file)
        text = ReadFile(SettingsPath());

    for (std::size_t s = 0; s < Sections.size(); ++s) {
        for (std::size_t k = 0; k < Keys.size(); ++k) {
            Require(pellow::ini::FindValue(text, Sections[s], Keys[k]) == expected[NameOf(s, k)],
                    "each key reads what was last written to it, or what it held");
        }
    }
    // Reading through the file object is reading its text; once is enough to see that.
    if (file)
        Require(file->ReadString(Sections[0], Keys[3], "\x01") ==
                    expected[NameOf(0, 3)].value_or("\x01"),
                "the file reads as its text");
    return 0;
}
