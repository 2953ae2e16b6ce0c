#include "receive/SaveFile.h"

#include "receive/FileStart.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <sys/resource.h>
#include <unistd.h>

namespace pellow {
namespace {

namespace fs = std::filesystem;

class TempFolder {
public:
    TempFolder() {
        char pattern[] = "/tmp/pellow-save-XXXXXX";
        path_ = ::mkdtemp(pattern);
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::permissions(path_, fs::perms::owner_all, ignored);
        fs::remove_all(path_, ignored);
    }
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(SaveFileTest, WritesExactBytesAndReplacesAnOlderFile) {
    TempFolder folder;
    const std::string bytes("a\r\n\0\xff", 5);
    std::ofstream(folder.Path() / "Save.txt") << "older and longer content";
    const fs::path written = WriteFileInFirstFolder({folder.Path()}, "Save.txt", bytes);
    EXPECT_EQ(written, folder.Path() / "Save.txt");
    EXPECT_EQ(Contents(written), bytes);
    WriteFileInFirstFolder({folder.Path()}, "Save.txt", "");
    EXPECT_EQ(fs::file_size(written), 0u);
}

// Files written by this process stop growing at `bytes`, as on a full disk: a write past
// it fails (EFBIG) instead of raising a signal. Root is held to the limit too.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : oldSignal_(std::signal(SIGXFSZ, SIG_IGN)) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limited = old_;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldSignal_);
    }

private:
    rlimit old_{};
    void (*oldSignal_)(int);
};

TEST(SaveFileTest, FailedWriteLeavesTheEarlierFileAsItWas) {
    TempFolder folder;
    std::ofstream(folder.Path() / "Save.txt") << "earlier";
    {
        const FileSizeLimit full(1000);
        EXPECT_THROW(WriteFileInFirstFolder({folder.Path()}, "Save.txt", std::string(5000, 'x')),
                     std::runtime_error);
    }
    EXPECT_EQ(Contents(folder.Path() / "Save.txt"), "earlier");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), fs::directory_iterator()), 1)
        << "a half-written file was left behind";
}

TEST(SaveFileTest, FallsBackToTheNextFolder) {
    TempFolder first;
    TempFolder second;
    const fs::path missing = first.Path() / "no such folder";
    EXPECT_EQ(WriteFileInFirstFolder({missing, second.Path()}, "x.txt", "data"),
              second.Path() / "x.txt");
    EXPECT_EQ(Contents(second.Path() / "x.txt"), "data");
}

TEST(SaveFileTest, ReportsTheFirstFolderWhenNoneTakesIt) {
    TempFolder folder;
    const fs::path missing = folder.Path() / "gone";
    try {
        WriteFileInFirstFolder({missing, folder.Path() / "also gone"}, "x.txt", "data");
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        const std::string message = error.what();
        EXPECT_EQ(message.rfind("Cannot create file \"" + (missing / "x.txt").string() + "\". ", 0),
                  0u)
            << message;
    }
}

TEST(FileStartTest, ReadsAtMostTheStartAndTellsTheWholeSize) {
    TempFolder folder;
    const fs::path path = folder.Path() / "f.bin";
    std::ofstream(path, std::ios::binary) << std::string(5000, 'q') + "tail";
    const TFileStart start = ReadFileStart(path.string(), 4096);
    EXPECT_EQ(start.size, 5004u);
    EXPECT_EQ(start.bytes, std::string(4096, 'q'));
    EXPECT_EQ(ReadFileStart(path.string(), 10000).bytes.size(), 5004u);
}

TEST(FileStartTest, MissingFileRaisesWithItsName) {
    EXPECT_THROW(ReadFileStart("/nonexistent/pellow/file", 4096), std::runtime_error);
}

} // namespace
} // namespace pellow
