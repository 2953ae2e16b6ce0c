// The Windows side of the window-free code: the registry's serial device map, the
// platform's folders and date, and where the settings file goes when the executable's
// folder will not take it. Runs under Wine (tests/windows/run_engine_tests.sh).
#include "app/PortList.h"
#include "app/SettingsFolder.h"
#include "app/win32/RegistryPortList.h"
#include "platform/Process.h"
#include "ui/Platform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

namespace pellow {
namespace {

namespace fs = std::filesystem;

// A key of the test's own under HKEY_CURRENT_USER, gone with the test.
class TestKey {
public:
    TestKey() : path_(L"Software\\PellowTest\\SerialComm" + std::to_wstring(CurrentProcessId())) {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &key_, nullptr);
    }
    ~TestKey() {
        ::RegCloseKey(key_);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\PellowTest");
    }
    void Text(const wchar_t* name, const std::wstring& data) {
        ::RegSetValueExW(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                         DWORD((data.size() + 1) * sizeof(wchar_t)));
    }
    void Number(const wchar_t* name, DWORD value) {
        ::RegSetValueExW(key_, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                         sizeof value);
    }
    const wchar_t* Path() const { return path_.c_str(); }

private:
    std::wstring path_;
    HKEY key_ = nullptr;
};

TEST(RegistryPortListTest, TheDataOfTextValuesAreThePortNames) {
    TestKey key;
    key.Text(L"\\Device\\Serial0", L"COM10");
    key.Text(L"\\Device\\Serial1", L"COM2");
    key.Text(L"\\Device\\VCP0", std::wstring(300, L'X')); // longer than any other
    key.Number(L"\\Device\\Odd", 7);
    key.Text(L"\\Device\\Empty", L"");
    std::vector<std::string> ports = ListRegistryPorts(HKEY_CURRENT_USER, key.Path());
    std::sort(ports.begin(), ports.end());
    EXPECT_EQ(ports, (std::vector<std::string>{"COM10", "COM2", std::string(300, 'X')}));

    EXPECT_TRUE(ListRegistryPorts(HKEY_CURRENT_USER, L"Software\\PellowTest\\None").empty());
}

TEST(RegistryPortListTest, TheSystemsDeviceMapListsTheLinesPorts) {
    const char* port = std::getenv("PELLOW_TEST_PORT");
    if (!port)
        GTEST_SKIP() << "no COM port mapped for the test";
    const std::vector<std::string> ports = ListPortsWithLoopback();
    EXPECT_NE(std::find(ports.begin(), ports.end(), port), ports.end());
    EXPECT_EQ(ports.back(), "loop://");
}

class FolderTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("pellow-win-" + std::to_string(CurrentProcessId()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ec;
        for (const auto& entry : fs::recursive_directory_iterator(folder_, ec))
            fs::permissions(entry.path(), fs::perms::owner_all, ec);
        fs::remove_all(folder_, ec);
    }
    fs::path folder_;
};

TEST_F(FolderTest, WritableAsksTheSystemAndLeavesNothingBehind) {
    EXPECT_TRUE(IsWritable(folder_));
    EXPECT_TRUE(fs::is_empty(folder_));
    std::ofstream(folder_ / "Tarvik.ini") << "[SendList]\r\n";
    EXPECT_TRUE(IsWritable(folder_ / "Tarvik.ini"));
    fs::permissions(folder_ / "Tarvik.ini", fs::perms::owner_read);
    EXPECT_FALSE(IsWritable(folder_ / "Tarvik.ini"));
    EXPECT_FALSE(IsWritable(folder_ / "missing" / "folder"));
}

TEST_F(FolderTest, ReadOnlySettingsBesideTheExecutableMoveToTheUsersFolder) {
    const fs::path exe = folder_ / "exe";
    fs::create_directories(exe);
    std::ofstream(exe / "Tarvik.ini", std::ios::binary) << "[SendList]\r\n12=1\r\n";
    fs::permissions(exe / "Tarvik.ini", fs::perms::owner_read);
    const fs::path config = folder_ / "AppData";
    const fs::path chosen = ChooseSettingsFolder({exe, config, IsWritable});
    EXPECT_EQ(chosen, config / "Pellow");
    PrepareUserSettingsFolder(exe, chosen);
    std::string first;
    {
        std::ifstream copied(chosen / "Tarvik.ini", std::ios::binary);
        std::getline(copied, first);
    }
    EXPECT_EQ(first, "[SendList]\r");
    EXPECT_TRUE(IsWritable(chosen / "Tarvik.ini")) << "the copy kept the read-only mark";

    fs::permissions(exe / "Tarvik.ini", fs::perms::owner_all);
    EXPECT_EQ(ChooseSettingsFolder({exe, config, IsWritable}), exe);
}

TEST(PlatformTest, FoldersOfTheProgramAndTheUser) {
    const fs::path exe = ExecutableFolder();
    EXPECT_TRUE(fs::exists(exe / "core_tests.exe")) << exe;
    const std::vector<fs::path> saves = SaveFolders();
    ASSERT_GE(saves.size(), 1u);
    EXPECT_EQ(saves.front(), exe);
    for (const fs::path& folder : saves)
        EXPECT_TRUE(fs::is_directory(folder)) << folder;
    EXPECT_TRUE(fs::is_directory(UserConfigFolder())) << UserConfigFolder();
}

TEST(PlatformTest, ShortDateIsNumericAndFitsAFileName) {
    const TLocalTime time{2006, 5, 3, 14, 7, 9};
    const std::string date = ShortDateText(time);
    EXPECT_NE(date.find("2006"), std::string::npos) << date;
    EXPECT_TRUE(std::none_of(date.begin(), date.end(), [](unsigned char c) {
        return std::isalpha(c);
    })) << date;
    const TLocalTime now = LocalTimeNow();
    EXPECT_GE(now.Year, 2024);
    EXPECT_GT(PhysicalMemoryBytes(), 64u << 20);
}

} // namespace
} // namespace pellow
