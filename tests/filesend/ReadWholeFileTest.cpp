#include "filesend/ReadWholeFile.h"
#include "filesend/SendFileCheck.h"
#include "filesend/SendFileTexts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>

using namespace pellow;
using TStatus = TFileContent::TStatus;

namespace {

class TempDir {
public:
    TempDir() {
        char pattern[] = "/tmp/pellow-filesend-XXXXXX";
        path_ = ::mkdtemp(pattern);
    }
    ~TempDir() { std::system(("rm -rf '" + path_ + "'").c_str()); }
    std::string Write(const std::string& name, const std::string& bytes) const {
        const std::string file = path_ + "/" + name;
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

std::string BinaryBytes(std::size_t n) {
    std::string bytes(n, '\0');
    for (std::size_t i = 0; i < n; ++i) {
        bytes[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
    }
    return bytes;
}

TEST(ReadWholeFile, ReadsEveryByteIncludingZerosAndHighBytes) {
    TempDir dir;
    const std::string bytes = BinaryBytes(200000);
    const TFileContent content = ReadWholeFile(dir.Write("data.bin", bytes), 1000000);
    EXPECT_EQ(content.status, TStatus::Ok);
    EXPECT_EQ(content.bytes, bytes);
}

TEST(ReadWholeFile, EmptyFileIsReadAsEmpty) {
    TempDir dir;
    const TFileContent content = ReadWholeFile(dir.Write("empty", ""), 100);
    EXPECT_EQ(content.status, TStatus::Ok);
    EXPECT_TRUE(content.bytes.empty());
}

TEST(ReadWholeFile, FileAtTheLimitIsReadOneByteOverIsRefused) {
    TempDir dir;
    EXPECT_EQ(ReadWholeFile(dir.Write("ten", std::string(10, 'a')), 10).status, TStatus::Ok);
    const TFileContent over = ReadWholeFile(dir.Write("eleven", std::string(11, 'a')), 10);
    EXPECT_EQ(over.status, TStatus::TooLarge);
    EXPECT_TRUE(over.bytes.empty());
}

TEST(ReadWholeFile, EndlessDeviceIsCutAtTheLimit) {
    EXPECT_EQ(ReadWholeFile("/dev/zero", 100000).status, TStatus::TooLarge);
}

TEST(ReadWholeFile, MissingFileFailsToOpenWithTheReason) {
    TempDir dir;
    const TFileContent content = ReadWholeFile(dir.Path() + "/gone", 100);
    EXPECT_EQ(content.status, TStatus::OpenFailed);
    EXPECT_FALSE(content.error.empty());
}

TEST(ReadWholeFile, ReadErrorGivesNoBytes) {
    TempDir dir; // a directory opens for reading, but reading it fails
    const TFileContent content = ReadWholeFile(dir.Path(), 100);
    EXPECT_EQ(content.status, TStatus::ReadFailed);
    EXPECT_TRUE(content.bytes.empty());
    EXPECT_FALSE(content.error.empty());
}

TEST(SendFileRefusal, TellsWhyNothingIsSent) {
    struct TRow {
        TFileContent content;
        std::optional<std::string> warning;
    };
    const TRow rows[] = {
        {{TStatus::Ok, "x", ""}, std::nullopt},
        {{TStatus::Ok, "", ""}, std::string(EmptyFileWarning)},
        {{TStatus::TooLarge, "", ""}, std::string(FileTooLargeWarning)},
        {{TStatus::ReadFailed, "", "Input/output error"},
         std::string(ReadFailedWarning) + "Input/output error"},
    };
    for (const TRow& row : rows) {
        EXPECT_EQ(SendFileRefusal(row.content), row.warning);
    }
}

} // namespace
