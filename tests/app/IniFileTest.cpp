#include "app/IniFile.h"
#include "ReadOnlyFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace pellow {
namespace {

namespace fs = std::filesystem;

// A file as the Windows profile functions write it, with a few hand edits.
const std::string WindowsFile = "[SendList]\r\n"
                                "data1=41 54 0D 0A\r\n"
                                "1=1\r\n"
                                "  Data2  =   spaced value   \r\n"
                                "data3=\"  quoted  \"\r\n"
                                "data4='single'\r\n"
                                "data5=\"only leading\r\n"
                                "data6=\r\n"
                                "\r\n"
                                "[comsetting]\r\n"
                                "BandRate=11\r\n"
                                "[SendList]\r\n"
                                "data7=second section of the same name\r\n";

struct FindCase {
    const char* section;
    const char* key;
    std::optional<std::string> expected;
};

class IniFindTest : public testing::TestWithParam<FindCase> {};

TEST_P(IniFindTest, ReadsLikeTheProfileFunctions) {
    const auto& c = GetParam();
    EXPECT_EQ(ini::FindValue(WindowsFile, c.section, c.key), c.expected);
}

INSTANTIATE_TEST_SUITE_P(WindowsWritten, IniFindTest,
                         testing::Values(FindCase{"SendList", "data1", "41 54 0D 0A"},
                                         FindCase{"SENDLIST", "DATA1", "41 54 0D 0A"},
                                         FindCase{"SendList", "data2", "spaced value"},
                                         FindCase{"SendList", "data3", "  quoted  "},
                                         FindCase{"SendList", "data4", "single"},
                                         FindCase{"SendList", "data5", "\"only leading"},
                                         FindCase{"SendList", "data6", ""},
                                         FindCase{"SendList", "data7", std::nullopt},
                                         FindCase{"SendList", "BandRate", std::nullopt},
                                         FindCase{"COMSetting", "bandrate", "11"},
                                         FindCase{"Missing", "data1", std::nullopt}));

TEST(IniFindTest, ReadsLfOnlyFiles) {
    EXPECT_EQ(ini::FindValue("[A]\nk=v\n[B]\nk=w", "B", "k"), "w");
}

TEST(IniSetValueTest, ReplacesAddsAndKeepsOtherLines) {
    const std::string before = "; note\r\n[SendList]\r\ndata1=old\r\n1=1\r\n\r\n[COMSetting]\r\n"
                               "Parity=0\r\n";
    EXPECT_EQ(ini::SetValue(before, "sendlist", "DATA1", "new"),
              "; note\r\n[SendList]\r\nDATA1=new\r\n1=1\r\n\r\n[COMSetting]\r\nParity=0\r\n");
    EXPECT_EQ(ini::SetValue(before, "SendList", "2", "0"),
              "; note\r\n[SendList]\r\ndata1=old\r\n1=1\r\n2=0\r\n\r\n[COMSetting]\r\n"
              "Parity=0\r\n");
    EXPECT_EQ(ini::SetValue(before, "New", "k", "v"), before + "[New]\r\nk=v\r\n");
    EXPECT_EQ(ini::SetValue("", "COMSetting", "BandRate", "11"), "[COMSetting]\r\nBandRate=11\r\n");
    EXPECT_EQ(ini::SetValue("[A]\nk=1\n", "A", "k", "2"), "[A]\r\nk=2\r\n");
}

// Every value written must read back unchanged, and single-line values without the escape
// byte are stored exactly as they are.
struct RoundTripCase {
    std::string value;
    std::optional<std::string> storedAs; // nothing: must differ from the value
};

class IniRoundTripTest : public testing::TestWithParam<RoundTripCase> {};

TEST_P(IniRoundTripTest, ReadsBackWhatWasWritten) {
    const auto& c = GetParam();
    const std::string text = ini::SetValue("[SendList]\r\n1=1\r\n", "SendList", "data1", c.value);
    EXPECT_EQ(ini::FindValue(text, "SendList", "data1"), c.value);
    EXPECT_EQ(ini::FindValue(text, "SendList", "1"), "1");
    if (c.storedAs) {
        EXPECT_EQ(ini::EncodeValue(c.value), *c.storedAs);
    }
    // The value never plants a line of its own.
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
}

INSTANTIATE_TEST_SUITE_P(
    Values, IniRoundTripTest,
    testing::Values(RoundTripCase{"", ""}, RoundTripCase{"AT", "AT"},
                    RoundTripCase{"41 54 0D 0A", "41 54 0D 0A"},
                    RoundTripCase{"AT\\r\\n", "AT\\r\\n"}, RoundTripCase{"C:\\new", "C:\\new"},
                    RoundTripCase{"a=b;c[d]", "a=b;c[d]"},
                    RoundTripCase{"\xE4\xBD\xA0", "\xE4\xBD\xA0"},
                    RoundTripCase{" lead", "\" lead\""}, RoundTripCase{"trail\t", "\"trail\t\""},
                    RoundTripCase{"\"both\"", "\"\"both\"\""},
                    RoundTripCase{"'both'", "\"'both'\""},
                    RoundTripCase{"line1\r\nline2", "line1\x10r\x10nline2"},
                    RoundTripCase{"\n[COMSetting]\nBandRate=0", std::nullopt},
                    RoundTripCase{"\r", std::nullopt}, RoundTripCase{"x\x10r", std::nullopt},
                    RoundTripCase{"x\x10\x10\r\x10", std::nullopt}, RoundTripCase{"\x10", "\x10"},
                    RoundTripCase{"\x10q", "\x10q"}));

TEST(IniRoundTripTest, EveryByteValueAndRandomValuesReadBack) {
    std::vector<std::string> values(1);
    for (int b = 0; b < 256; ++b) {
        values[0] += static_cast<char>(b);
    }
    // Random values from the bytes the encoding treats specially, and a few others.
    const std::string special = "\x10rn\r\n \t\"'=[]\xFC\x00";
    std::mt19937 random(7);
    std::uniform_int_distribution<std::size_t> length(0, 12);
    std::uniform_int_distribution<std::size_t> pick(0, special.size() - 1);
    for (int i = 0; i < 5000; ++i) {
        std::string value;
        for (std::size_t n = length(random); n > 0; --n) {
            value += special[pick(random)];
        }
        values.push_back(value);
    }
    for (const auto& value : values) {
        const std::string text = ini::SetValue("[SendList]\r\n1=1\r\n", "SendList", "data1", value);
        ASSERT_EQ(ini::FindValue(text, "SendList", "data1"), value)
            << testing::PrintToString(value);
        ASSERT_EQ(ini::FindValue(text, "SendList", "1"), "1");
    }
}

TEST(IniDecodeTest, PlainSingleLineValuesReadAsStored) {
    for (const char* stored : {"plain", "AT\\r\\n", "a\\\\nb", "x\x10q", "50%", "\\"}) {
        EXPECT_EQ(ini::DecodeValue(stored), stored);
    }
}

class TIniFileTest : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("pellow-ini-" + std::to_string(::getpid()) + "-" +
                   testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override {
        fs::permissions(folder_, fs::perms::owner_all);
        fs::remove_all(folder_);
    }
    std::string Contents(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    fs::path folder_;
};

TEST_F(TIniFileTest, WritesCreateTheFileAndReadsSeeEachWrite) {
    TIniFile file(folder_ / "Tarvik.ini");
    EXPECT_FALSE(file.Exists());
    EXPECT_EQ(file.ReadString("SendList", "12", "none"), "none");
    file.WriteString("COMSetting", "BandRate", "11");
    file.WriteString("SendList", "data1", "two\r\nlines");
    EXPECT_TRUE(file.Exists());
    EXPECT_EQ(file.ReadString("comsetting", "bandrate", ""), "11");
    EXPECT_EQ(file.ReadString("SendList", "data1", ""), "two\r\nlines");
    EXPECT_EQ(Contents(folder_ / "Tarvik.ini"),
              "[COMSetting]\r\nBandRate=11\r\n[SendList]\r\ndata1=two\x10r\x10nlines\r\n");
    // Only the file itself is left: the temporary copy was renamed over it.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

TEST_F(TIniFileTest, ReplacingKeepsThePermissionsOfTheFile) {
    TIniFile file(folder_ / "Tarvik.ini");
    file.WriteString("A", "k", "1");
    fs::permissions(folder_ / "Tarvik.ini", fs::perms(0640));
    file.WriteString("A", "k", "2");
    EXPECT_EQ(fs::status(folder_ / "Tarvik.ini").permissions() & fs::perms::all, fs::perms(0640));
}

TEST_F(TIniFileTest, RefusedWriteRaisesWithThePathAndKeepsTheOldFile) {
    TIniFile file(folder_ / "Tarvik.ini");
    file.WriteString("A", "k", "old");
    const test::ReadOnlyFolder readOnly(folder_);
    if (!readOnly.Refuses()) {
        GTEST_SKIP() << "the folder cannot be made read-only here";
    }
    try {
        file.WriteString("A", "k", "new");
        FAIL() << "no exception";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + (folder_ / "Tarvik.ini").string());
    }
    EXPECT_EQ(file.ReadString("A", "k", ""), "old");
}

TEST_F(TIniFileTest, FileThatCannotBeReplacedRaises) {
    fs::create_directories(folder_ / "Tarvik.ini" / "inside");
    TIniFile file(folder_ / "Tarvik.ini");
    try {
        file.WriteString("A", "k", "v");
        FAIL() << "no exception";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + (folder_ / "Tarvik.ini").string());
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

ino_t Inode(const fs::path& p) {
    struct stat st {};
    return ::stat(p.c_str(), &st) == 0 ? st.st_ino : 0;
}

TEST_F(TIniFileTest, BatchWritesTheFileOnceAtCommitAndOnlyWhenItChanged) {
    const fs::path path = folder_ / "Tarvik.ini";
    TIniFile file(path);
    file.WriteString("A", "k", "old");
    const std::string before = Contents(path);
    {
        TIniBatch outer(file);
        file.WriteString("A", "k", "new");
        {
            TIniBatch inner(file);
            file.WriteString("A", "j", "2");
            inner.Commit();
        }
        EXPECT_EQ(file.ReadString("A", "j", ""), "2");
        EXPECT_EQ(Contents(path), before);
        outer.Commit();
    }
    EXPECT_EQ(Contents(path), "[A]\r\nk=new\r\nj=2\r\n");

    const ino_t written = Inode(path);
    {
        TIniBatch same(file);
        file.WriteString("A", "k", "new");
        same.Commit();
    }
    EXPECT_EQ(Inode(path), written) << "a batch that changed nothing replaced the file";
    {
        TIniBatch dropped(file);
        file.WriteString("A", "k", "lost");
    }
    EXPECT_EQ(file.ReadString("A", "k", ""), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

TEST_F(TIniFileTest, AbandonedTemporariesOfEndedWritersAreRemoved) {
    const pid_t ended = ::fork();
    if (ended == 0) {
        ::_exit(0);
    }
    ::waitpid(ended, nullptr, 0);
    const std::string dead = "Tarvik.ini." + std::to_string(ended) + ".aB3xYz";
    const std::string own = "Tarvik.ini." + std::to_string(::getpid()) + ".Qw9eRt";
    const std::vector<std::string> kept = {"Tarvik.ini", "Tarvik.ini.1.aB3xYz", "Tarvik.ini.backup",
                                           "Tarvik.ini.2024.notes",
                                           "Other.ini." + std::to_string(ended) + ".aB3xYz"};
    for (const auto& name : kept) {
        std::ofstream(folder_ / name) << "[A]\r\n";
    }
    std::ofstream(folder_ / dead) << "[A]\r\n";
    std::ofstream(folder_ / own) << "[A]\r\n";
    TIniFile(folder_ / "Tarvik.ini").RemoveAbandonedTemporaries();
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(folder_)) {
        left.push_back(entry.path().filename().string());
    }
    std::sort(left.begin(), left.end());
    std::vector<std::string> expected = kept;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(left, expected);
}

TEST_F(TIniFileTest, MissingFolderRaises) {
    TIniFile file(folder_ / "gone" / "Tarvik.ini");
    EXPECT_THROW(file.WriteString("A", "k", "v"), EIniFileException);
}

} // namespace
} // namespace pellow
