// The window-free rules behind the settings file: where it lives, how its values load,
// and the counters.
#include "app/CounterText.h"
#include "app/SettingsFolder.h"
#include "app/SettingsValues.h"
#include "platform/Process.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>

namespace pellow {
namespace {

namespace fs = std::filesystem;

struct ParameterCase {
    std::array<std::string, 4> values;
    std::array<int, 4> expected;
};

class ParameterIndicesTest : public testing::TestWithParam<ParameterCase> {};

TEST_P(ParameterIndicesTest, AllFourOrTheDefaults) {
    EXPECT_EQ(ParameterIndices(GetParam().values, {12, 4, 3, 5}), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, ParameterIndicesTest,
                         testing::Values(ParameterCase{{"11", "2", "1", "3"}, {11, 2, 1, 3}},
                                         ParameterCase{{"0", "0", "0", "0"}, {0, 0, 0, 0}},
                                         ParameterCase{{"+4", "3", "2", "4"}, {4, 3, 2, 4}},
                                         ParameterCase{{"x", "2", "1", "3"}, {5, 3, 0, 0}},
                                         ParameterCase{{"11", "2", "1", ""}, {5, 3, 0, 0}},
                                         ParameterCase{{"11", " 2", "1", "3"}, {5, 3, 0, 0}},
                                         ParameterCase{{"11", "2", "1", "5"}, {5, 3, 0, 0}},
                                         ParameterCase{{"12", "2", "1", "3"}, {5, 3, 0, 0}},
                                         ParameterCase{{"-1", "2", "1", "3"}, {5, 3, 0, 0}},
                                         ParameterCase{{"99999999999", "2", "1", "3"},
                                                       {5, 3, 0, 0}}));

TEST(SettingsValuesTest, ValidityMarkAndFlags) {
    EXPECT_TRUE(IsValidityMark("0"));
    EXPECT_TRUE(IsValidityMark("1"));
    for (const char* v : {"", "yes", "2", " 1", "01"}) {
        EXPECT_FALSE(IsValidityMark(v)) << v;
    }
    EXPECT_FALSE(FlagChecks("0"));
    for (const char* v : {"1", "2", "", "00", "no"}) {
        EXPECT_TRUE(FlagChecks(v)) << v;
    }
}

struct FolderCase {
    const char* name;
    bool fileBesideExecutable;
    std::set<std::string> writable; // "exe", "file"
    std::string expected;
};

class SettingsFolderTest : public testing::TestWithParam<FolderCase> {};

TEST_P(SettingsFolderTest, Chooses) {
    const auto& c = GetParam();
    const fs::path exe = fs::temp_directory_path() / ("pellow-exe-" + std::to_string(CurrentProcessId()));
    fs::remove_all(exe);
    fs::create_directories(exe);
    if (c.fileBesideExecutable) {
        std::ofstream(exe / "Tarvik.ini") << "[SendList]\r\n";
    }
    SettingsFolderQuery query;
    query.ExecutableFolder = exe;
    query.UserConfigFolder = "/home/u/.config";
    query.Writable = [&c, exe](const fs::path& p) {
        return c.writable.count(p == exe ? "exe" : "file") > 0;
    };
    const fs::path chosen = ChooseSettingsFolder(query);
    fs::remove_all(exe);
    EXPECT_EQ(chosen, c.expected == "exe" ? exe : fs::path(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsFolderTest,
    testing::Values(FolderCase{"writable folder, no file", false, {"exe"}, "exe"},
                    FolderCase{"writable file beside", true, {"exe", "file"}, "exe"},
                    FolderCase{"read-only folder", false, {}, "/home/u/.config/Pellow"},
                    FolderCase{"read-only file", true, {"exe"}, "/home/u/.config/Pellow"},
                    FolderCase{"file in read-only folder", true, {"file"}, "/home/u/.config/Pellow"}),
    [](const auto& info) {
        std::string name = info.param.name;
        for (char& ch : name) {
            if (!std::isalnum(static_cast<unsigned char>(ch))) {
                ch = '_';
            }
        }
        return name;
    });

TEST(CounterTextTest, AddsAndWrapsAt32Bits) {
    EXPECT_EQ(AddToCounterText("0", 5), "5");
    EXPECT_EQ(AddToCounterText("3", 5), "8");
    EXPECT_EQ(AddToCounterText("-10", 3), "-7");
    EXPECT_EQ(AddToCounterText("2147483647", 1), "-2147483648");
    EXPECT_EQ(AddToCounterText("2147483600", 100), "-2147483596");
    EXPECT_THROW(AddToCounterText("", 1), std::invalid_argument);
    EXPECT_THROW(AddToCounterText("12a", 1), std::invalid_argument);
    EXPECT_THROW(AddToCounterText("99999999999", 1), std::invalid_argument);
}

} // namespace
} // namespace pellow

namespace pellow {
namespace {

TEST(PrepareUserSettingsFolderTest, CreatesTheFolderAndCarriesTheOldFileOver) {
    const fs::path root = fs::temp_directory_path() / ("pellow-prep-" + std::to_string(CurrentProcessId()));
    fs::remove_all(root);
    fs::create_directories(root / "exe");
    std::ofstream(root / "exe" / "Tarvik.ini") << "[SendList]\r\n12=1\r\n";
    const auto firstLine = [&root] {
        std::ifstream file(root / "config" / "Pellow" / "Tarvik.ini");
        std::string first;
        std::getline(file, first);
        return first;
    };
    PrepareUserSettingsFolder(root / "exe", root / "config" / "Pellow");
    EXPECT_EQ(firstLine(), "[SendList]\r");

    // An existing user file is never overwritten.
    std::ofstream(root / "exe" / "Tarvik.ini") << "[Other]\r\n";
    PrepareUserSettingsFolder(root / "exe", root / "config" / "Pellow");
    EXPECT_EQ(firstLine(), "[SendList]\r");
    fs::remove_all(root);
}

} // namespace
} // namespace pellow
