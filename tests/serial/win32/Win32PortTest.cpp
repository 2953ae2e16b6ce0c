// The Windows device under TComm, on the COM port pair the test runner provides.
#include "serial/win32/DeviceName.h"
#include "serial/win32/Win32SerialDevice.h"
#include "tests/serial/LineComm.h"
#include "tests/serial/win32/Wine.h"

#include <gtest/gtest.h>

using namespace pellow;
using namespace pellow::test;

namespace {

DWORD HandlesHeld() {
    DWORD count = 0;
    ::GetProcessHandleCount(::GetCurrentProcess(), &count);
    return count;
}

std::string TempFileName() {
    char folder[MAX_PATH];
    char file[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    ::GetTempFileNameA(folder, "plw", 0, file);
    return file;
}

// The engine's port opened by the test itself, with a device that shares its handle,
// so what the device set can be read back.
struct DeviceOnPort {
    DeviceOnPort() {
        port = UniqueHandle(::CreateFileA(Win32DeviceName(line.PortName()).c_str(),
                                          GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                          FILE_FLAG_OVERLAPPED, nullptr));
        HANDLE shared = nullptr;
        ::DuplicateHandle(::GetCurrentProcess(), port.Get(), ::GetCurrentProcess(), &shared, 0,
                          FALSE, DUPLICATE_SAME_ACCESS);
        device = std::make_unique<Win32SerialDevice>(UniqueHandle(shared));
    }
    DCB State() const {
        DCB dcb{};
        dcb.DCBlength = sizeof dcb;
        EXPECT_TRUE(::GetCommState(port.Get(), &dcb));
        return dcb;
    }

    FarEnd line;
    UniqueHandle port;
    std::unique_ptr<Win32SerialDevice> device;
};

} // namespace

TEST(Win32Port, FailuresNameTheirStepAndLeaveNothingOpen) {
    const std::string diskFile = TempFileName();
    const struct {
        std::string name;
        std::string message;
    } cases[] = {
        {"COM250", "Error opening serial port"},
        {diskFile, "File handle is not a comm handle "},
        {"NUL", "Cannot setup comm buffer"},
    };
    LineComm c;
    const DWORD before = HandlesHeld();
    for (const auto& k : cases) {
        c.com->SetCommName(k.name);
        EXPECT_EQ(OpenFailure(*c.com), k.message) << k.name;
        EXPECT_FALSE(c.com->PortOpen()) << k.name;
    }
    EXPECT_EQ(HandlesHeld(), before);
    ::DeleteFileA(diskFile.c_str());

    c.com->SetCommName(c.line.PortName());
    EXPECT_EQ(OpenFailure(*c.com), "") << "a failed attempt leaves the component ready";
}

TEST(Win32Port, OpenCloseCyclesLeakNothing) {
    LineComm c;
    const DWORD before = HandlesHeld();
    for (int i = 0; i < 3; ++i) {
        c.com->OpenPort();
        ASSERT_TRUE(c.PumpUntil([&] { return c.log.sendEmpties == i + 1; }));
        c.com->ClosePort();
    }
    EXPECT_EQ(HandlesHeld(), before);
}

TEST(Win32Port, SecondComponentOnTheSamePortIsRefused) {
    if (RunningUnderWine()) {
        GTEST_SKIP() << "Wine does not enforce share mode 0 on COM ports";
    }
    LineComm first;
    first.com->OpenPort();
    LineComm second;
    EXPECT_EQ(OpenFailure(*second.com), "Error opening serial port");
    first.com->ClosePort();
    EXPECT_EQ(OpenFailure(*second.com), "") << "closing gives the port free";
}

TEST(Win32Port, ControlBlockAndTimeoutsReachTheDevice) {
    DeviceOnPort d;
    LineSettings s;
    s.baudRate = 1200;
    s.stopBits = TStopBits::_2;
    s.outxXonXoffFlow = false;
    s.xonChar = 0x01;
    s.xoffChar = 0x02;
    d.device->ApplyLineSettings(s);
    // Data bits and parity are left out: a pseudo-terminal keeps 8 and none, whatever it
    // is told.
    DCB dcb = d.State();
    EXPECT_EQ(dcb.BaudRate, 1200u);
    EXPECT_EQ(dcb.StopBits, TWOSTOPBITS);
    EXPECT_EQ(dcb.fOutX, 0u);
    EXPECT_EQ(dcb.fInX, 1u);
    EXPECT_EQ(dcb.XonChar, 0x01);
    EXPECT_EQ(dcb.XoffChar, 0x02);

    d.device->ApplyTimeouts({100, 2, 3, 4, 5});
    COMMTIMEOUTS t{};
    ASSERT_TRUE(::GetCommTimeouts(d.port.Get(), &t));
    EXPECT_EQ(t.ReadIntervalTimeout, 100u);
    EXPECT_EQ(t.ReadTotalTimeoutMultiplier, 2u);
    EXPECT_EQ(t.ReadTotalTimeoutConstant, 3u);
    EXPECT_EQ(t.WriteTotalTimeoutMultiplier, 4u);
    EXPECT_EQ(t.WriteTotalTimeoutConstant, 5u);
}

TEST(Win32Port, NonStandardRateReachesTheDevice) {
    if (RunningUnderWine()) {
        GTEST_SKIP() << "Wine reads rates its terminal mapping lacks (56000) back as 38400";
    }
    DeviceOnPort d;
    LineSettings s;
    s.baudRate = 56000;
    d.device->ApplyLineSettings(s);
    EXPECT_EQ(d.State().BaudRate, 56000u);
}
