// The settings file and saved data through the platform's file layer, on every platform:
// every byte value comes back, and the file a given set of settings makes is the same,
// byte for byte, wherever the program runs.
#include "app/IniFile.h"
#include "filesend/ReadWholeFile.h"
#include "platform/PathText.h"
#include "platform/Process.h"
#include "receive/FileStart.h"
#include "receive/SaveFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace pellow {
namespace {

namespace fs = std::filesystem;

std::string AllByteValues() {
    std::string bytes;
    for (int value = 0; value < 256; ++value)
        bytes += static_cast<char>(value);
    return bytes;
}

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class FileBytesTest : public testing::Test {
protected:
    void SetUp() override {
        // A name no ANSI code page holds whole: a path narrowed through one on Windows
        // would miss the folder.
        folder_ = fs::temp_directory_path() /
                  PathFromText("pellow-bytes-\xC3\x9C\xE4\xB8\xAD\xF0\x9F\x93\x9F-" +
                               std::to_string(CurrentProcessId()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(folder_ / "Tarvik.ini", fs::perms::owner_all, ec);
        fs::remove_all(folder_, ec);
    }
    std::size_t FilesInFolder() const {
        return std::size_t(
            std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
    }

    fs::path folder_;
};

// The texts and flags of the send list as the window saves them, entry by entry, then the
// four parameters, then one entry changed again.
void WriteGivenSettings(TIniFile& file) {
    const std::string texts[20] = {AllByteValues(),
                                   "41 54 0D 0A",
                                   "  spaced  ",
                                   "\"quoted\"",
                                   "line\r\nbreak",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "",
                                   "last of twelve"};
    for (int n = 1; n <= 20; ++n) {
        file.WriteString("SendList", "data" + std::to_string(n), texts[n - 1]);
        file.WriteString("SendList", std::to_string(n), n % 3 == 0 ? "0" : "1");
    }
    file.WriteString("COMSetting", "BandRate", "11");
    file.WriteString("COMSetting", "ByteSize", "2");
    file.WriteString("COMSetting", "StopBits", "1");
    file.WriteString("COMSetting", "Parity", "3");
    file.WriteString("SendList", "12", "0");
    file.WriteString("SendList", "data12", "changed");
}

TEST_F(FileBytesTest, SettingsKeepEveryByteAndTheFileIsTheSameOnEveryPlatform) {
    TIniFile file(folder_ / "Tarvik.ini");
    WriteGivenSettings(file);
    EXPECT_EQ(file.ReadString("SendList", "data1", "-"), AllByteValues());
    EXPECT_EQ(file.ReadString("SendList", "data3", "-"), "  spaced  ");
    EXPECT_EQ(file.ReadString("SendList", "data4", "-"), "\"quoted\"");
    EXPECT_EQ(file.ReadString("SendList", "data5", "-"), "line\r\nbreak");
    EXPECT_EQ(file.ReadString("SendList", "12", "-"), "0");
    EXPECT_EQ(file.ReadString("COMSetting", "parity", "-"), "3");
    // Every single byte value alone, too: a value of one blank or one quote is the case
    // that quoting exists for. Written in one go, read back from the file.
    {
        TIniBatch batch(file);
        for (int value = 0; value < 256; ++value)
            file.WriteString("Bytes", std::to_string(value), std::string(1, char(value)));
        batch.Commit();
    }
    for (int value = 0; value < 256; ++value)
        ASSERT_EQ(file.ReadString("Bytes", std::to_string(value), "-"), std::string(1, char(value)))
            << "byte " << value;

    TIniFile given(folder_ / "Given.ini");
    WriteGivenSettings(given);
    const std::string golden = Contents(fs::path(PELLOW_GOLDEN_FOLDER) / "Tarvik.ini");
    ASSERT_FALSE(golden.empty()) << "no golden file in " << PELLOW_GOLDEN_FOLDER;
    EXPECT_TRUE(Contents(given.FileName()) == golden)
        << "the settings file differs from the one every build writes";
    EXPECT_EQ(FilesInFolder(), 2u) << "a temporary copy was left behind";
}

TEST_F(FileBytesTest, RefusedReplacementKeepsTheOldFileWholeAndLeavesNothingBehind) {
    TIniFile file(folder_ / "Tarvik.ini");
    file.WriteString("SendList", "12", "1");
    const std::string before = Contents(file.FileName());
    // Read-only: the permissions on POSIX, the file's attribute on Windows.
    fs::permissions(file.FileName(), fs::perms::owner_read | fs::perms::group_read);
    fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
    try {
        file.WriteString("SendList", "12", "0");
        fs::permissions(folder_, fs::perms::owner_all);
        GTEST_SKIP() << "this user writes read-only files (root)";
    } catch (const EIniFileException& e) {
        fs::permissions(folder_, fs::perms::owner_all);
        EXPECT_EQ(e.what(), "Unable to write to " + PathText(file.FileName()));
    }
    EXPECT_EQ(Contents(file.FileName()), before);
    EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(FileBytesTest, SavedDataIsReplacedWholeAndReadsBackByteForByte) {
    const std::string bytes = AllByteValues() + std::string(100000, '\n') + AllByteValues();
    std::ofstream(folder_ / "Save.txt", std::ios::binary) << "an older and longer file";
    const fs::path written =
        WriteFileInFirstFolder({folder_ / "missing", folder_}, "Save.txt", bytes);
    EXPECT_EQ(written, folder_ / "Save.txt");
    EXPECT_TRUE(Contents(written) == bytes);
    EXPECT_EQ(FilesInFolder(), 1u);

    const TFileContent whole = ReadWholeFile(PathText(written), 1 << 20);
    EXPECT_EQ(whole.status, TFileContent::TStatus::Ok);
    EXPECT_TRUE(whole.bytes == bytes);
    const TFileStart start = ReadFileStart(PathText(written), 300);
    EXPECT_EQ(start.size, bytes.size());
    EXPECT_EQ(start.bytes, bytes.substr(0, 300));
    EXPECT_EQ(ReadWholeFile(PathText(written), 1000).status, TFileContent::TStatus::TooLarge);
    EXPECT_EQ(ReadWholeFile(PathText(folder_ / "none"), 1000).status,
              TFileContent::TStatus::OpenFailed);
}

} // namespace
} // namespace pellow
