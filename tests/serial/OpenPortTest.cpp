#include "tests/serial/PtyComm.h"
#include "tests/serial/ScriptedDevice.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <unistd.h>

using namespace pellow;
using namespace pellow::test;

TEST(OpenPort, FailuresNameTheirStepAndLeaveNothingOpen) {
    char diskFile[] = "/tmp/pellow-not-a-port-XXXXXX";
    const int fd = ::mkstemp(diskFile);
    ASSERT_GE(fd, 0);
    ::close(fd);

    struct Case {
        std::string name;
        std::string message;
    } const cases[] = {
        {"/dev/pellow-no-such-port", "Error opening serial port"},
        {diskFile, "File handle is not a comm handle "},
        {"/dev/null", "Cannot setup comm buffer"},
    };
    LoggedComm c;
    const int before = OpenDescriptorCount();
    for (const auto& k : cases) {
        c.com->SetCommName(k.name);
        EXPECT_EQ(OpenFailure(*c.com), k.message) << k.name;
        EXPECT_FALSE(c.com->PortOpen()) << k.name;
    }
    EXPECT_EQ(OpenDescriptorCount(), before);
    EXPECT_TRUE(std::filesystem::is_empty(c.lockFolder.Path())) << "no lock file stays";
    ::unlink(diskFile);

    // A failed attempt leaves the component ready for a good name.
    PtyPair pty;
    c.com->SetCommName(pty.SlavePath());
    EXPECT_NO_THROW(c.com->OpenPort());
    EXPECT_TRUE(c.com->PortOpen());
}

TEST(OpenPort, AnyFailureAfterTheDeviceOpenedLeavesTheComponentClosed) {
    bool exhausted = true;
    LoggedComm c([&](const std::string&) {
        auto device = std::make_unique<ScriptedDevice>();
        device->applyFails = exhausted;
        return device;
    });
    EXPECT_THROW(c.com->OpenPort(), std::bad_alloc);
    EXPECT_FALSE(c.com->PortOpen());
    exhausted = false;
    EXPECT_EQ(OpenFailure(*c.com), "") << "a later open is not refused as already open";
    EXPECT_TRUE(c.com->PortOpen());
}

TEST(OpenPort, SecondOpenIsRefusedAndTheFirstKeepsWorking) {
    PtyComm c;
    c.com->OpenPort();
    EXPECT_EQ(OpenFailure(*c.com), "This serial port already opened");
    ASSERT_TRUE(c.com->PortOpen());

    c.pty.Write("ping");
    EXPECT_TRUE(c.PumpUntil([&] { return c.log.Received() == "ping"; }));
    EXPECT_TRUE(c.com->SendBytes("pong", 4));
    EXPECT_EQ(c.pty.Read(4, std::chrono::seconds(10)), "pong");
}

TEST(OpenPort, SecondComponentOnTheSameDeviceIsRefused) {
    PtyComm first;
    first.com->OpenPort();
    LoggedComm second;
    second.com->SetCommName(first.pty.SlavePath());
    EXPECT_EQ(OpenFailure(*second.com), "Error opening serial port");
    EXPECT_FALSE(second.com->PortOpen());

    first.com->ClosePort();
    EXPECT_NO_THROW(second.com->OpenPort()) << "closing gives the device free";
}

TEST(OpenPort, OpenCloseCyclesLeakNothing) {
    PtyComm c;
    const int before = OpenDescriptorCount();
    for (int i = 0; i < 3; ++i) {
        c.com->OpenPort();
        c.com->ClosePort();
        EXPECT_FALSE(c.com->PortOpen());
    }
    c.com->ClosePort(); // on a closed port: nothing
    EXPECT_EQ(OpenDescriptorCount(), before);
}

TEST(OpenPort, ClosingRestoresTheLineAsFound) {
    PtyComm c;
    const std::string before = c.pty.Stty();
    c.com->SetStopBits(TStopBits::_2);
    c.com->OpenPort();
    ASSERT_NE(c.pty.Stty(), before);
    c.com->ClosePort();
    EXPECT_EQ(c.pty.Stty(), before);
}

TEST(OpenPort, DestroyingAnOpenComponentClosesIt) {
    PtyPair pty;
    const int before = OpenDescriptorCount();
    {
        PtyComm c;
        c.com->OpenPort();
        c.pty.Write("unread data");
        // Left open and with notifications queued: the destructor has to cope.
    }
    EXPECT_EQ(OpenDescriptorCount(), before);
}
