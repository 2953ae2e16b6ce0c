// The port's lock file, in folders of the tests' own; only pseudo-terminals are locked.
#include "serial/posix/PortLockFile.h"
#include "tests/serial/PtyComm.h"
#include "tests/serial/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <unistd.h>

using namespace pellow;
using namespace pellow::test;
namespace fs = std::filesystem;

namespace {

std::string PidText(long pid) {
    char text[16];
    std::snprintf(text, sizeof text, "%10ld\n", pid);
    return text;
}

void Put(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
}

// No process has this PID: the kernel hands out only smaller ones.
long DeadPid() {
    long pidMax = 0;
    std::ifstream("/proc/sys/kernel/pid_max") >> pidMax;
    return pidMax;
}

struct LockFixture {
    TempFolder folder{"pellow-locks"};
    PtyPair pty;
    fs::path file = LockFilePath(folder.Path(), pty.SlavePath());
};

} // namespace

TEST(PortLockFile, HoldsThePidWhileTakenAndGoesWhenReleased) {
    LockFixture f;
    EXPECT_EQ(f.file.filename(), "LCK.." + fs::path(f.pty.SlavePath()).filename().string());
    {
        std::optional<PortLockFile> lock = LockPort(f.folder.Path(), f.pty.SlavePath());
        ASSERT_TRUE(lock && lock->Held());
        EXPECT_EQ(FileContents(f.file), PidText(::getpid()));
        EXPECT_FALSE(LockPort(f.folder.Path(), f.pty.SlavePath())) << "held by a live process";
    }
    EXPECT_FALSE(fs::exists(f.file));

    // A lock that names someone else by the time it is released is theirs.
    {
        std::optional<PortLockFile> lock = LockPort(f.folder.Path(), f.pty.SlavePath());
        ASSERT_TRUE(lock);
        Put(f.file, PidText(::getppid()));
    }
    EXPECT_EQ(FileContents(f.file), PidText(::getppid()));
}

TEST(PortLockFile, StaleLocksAreTakenOver) {
    const std::string stale[] = {PidText(DeadPid()), "",          "garbage\n",
                                 PidText(0),         PidText(-1), "12ab\n"};
    for (const auto& text : stale) {
        LockFixture f;
        Put(f.file, text);
        std::optional<PortLockFile> lock = LockPort(f.folder.Path(), f.pty.SlavePath());
        ASSERT_TRUE(lock && lock->Held()) << '"' << text << '"';
        EXPECT_EQ(FileContents(f.file), PidText(::getpid())) << '"' << text << '"';
    }
}

TEST(PortLockFile, WithoutAUsableFolderThePortGoesWithout) {
    LockFixture f;
    for (const fs::path& folder : {fs::path(), f.folder.Path() / "missing"}) {
        std::optional<PortLockFile> lock = LockPort(folder, f.pty.SlavePath());
        ASSERT_TRUE(lock) << folder;
        EXPECT_FALSE(lock->Held()) << folder;
    }
}

TEST(PortLockFile, NamedAfterTheDeviceBehindLinksInTheSystemFolder) {
    LockFixture f;
    const fs::path link = f.folder.Path() / "by-id-link";
    fs::create_symlink(f.pty.SlavePath(), link);
    EXPECT_EQ(LockFilePath(f.folder.Path(), link.string()), f.file);

    if (!fs::is_directory("/run/lock")) {
        GTEST_SKIP() << "no /run/lock on this system";
    }
    EXPECT_EQ(LockFilePath(SystemLockFolder(), "/dev/pts/7"), "/run/lock/LCK..7");
}

TEST(PortLockFile, OpenPortIsRefusedWhileALiveProcessHoldsTheLock) {
    PtyComm c;
    const fs::path file = LockFilePath(c.lockFolder.Path(), c.pty.SlavePath());
    Put(file, PidText(::getppid()));
    EXPECT_EQ(OpenFailure(*c.com), "Error opening serial port");
    EXPECT_EQ(FileContents(file), PidText(::getppid())) << "another's lock is left alone";

    Put(file, PidText(DeadPid()));
    EXPECT_EQ(OpenFailure(*c.com), "");
    EXPECT_EQ(FileContents(file), PidText(::getpid()));
    c.com->ClosePort();
    EXPECT_FALSE(fs::exists(file));
}
