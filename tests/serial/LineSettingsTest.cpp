#include "serial/CommFlags.h"
#include "serial/posix/TermiosMapping.h"
#include "tests/serial/PtyComm.h"
#include "tests/serial/ScriptedDevice.h"

#include <gtest/gtest.h>

#include <sstream>
#include <sys/ioctl.h>

using namespace pellow;
using namespace pellow::test;

namespace {

// True when stty's report lists the flag, or holds the phrase ("speed 1200 baud").
bool Has(const std::string& report, const std::string& flag) {
    if (flag.find(' ') != std::string::npos) {
        return report.find(flag) != std::string::npos;
    }
    std::istringstream words(report);
    for (std::string word; words >> word;) {
        if (word == flag || word == flag + ";") {
            return true;
        }
    }
    return false;
}

} // namespace

namespace pellow {
void PrintTo(const LineSpeeds& s, std::ostream* out) {
    *out << "in " << s.input << ", out " << s.output;
}
} // namespace pellow

TEST(LineSettings, OpenCarriesTheSettingsOntoTheLine) {
    PtyComm c;
    c.com->SetBaudRate(1200);
    c.com->SetStopBits(TStopBits::_2);
    c.com->SetParity(TParity::Odd);
    c.com->SetOutx_XonXoffFlow(true);
    c.com->SetInx_XonXoffFlow(false);
    c.com->OpenPort();

    const std::string r = c.pty.Stty();
    EXPECT_TRUE(Has(r, "speed 1200 baud")) << r;
    EXPECT_TRUE(Has(r, "cstopb")) << r;
    EXPECT_TRUE(Has(r, "parodd")) << r;
    EXPECT_TRUE(Has(r, "ixon")) << r;
    EXPECT_TRUE(Has(r, "-ixoff")) << r;
    EXPECT_TRUE(Has(r, "-icanon")) << r;
    EXPECT_TRUE(Has(r, "-echo")) << r;
    EXPECT_TRUE(Has(r, "-opost")) << r;
}

TEST(LineSettings, BothDirectionsFollowEveryRateChange) {
    PtyComm c;
    c.com->SetBaudRate(56000);
    c.com->OpenPort();
    EXPECT_EQ(c.pty.Speeds(), (LineSpeeds{56000, 56000}));
    // A custom rate's input field must not outlive the change to a standard rate.
    c.com->SetBaudRate(9600);
    EXPECT_EQ(c.pty.Speeds(), (LineSpeeds{9600, 9600}));
    c.com->SetBaudRate(43000);
    EXPECT_EQ(c.pty.Speeds(), (LineSpeeds{43000, 43000}));
}

TEST(LineSettings, WritesOnAnOpenPortApplyAtOnceExceptParity) {
    PtyComm c;
    c.com->OpenPort();
    c.com->SetBaudRate(4800);
    EXPECT_TRUE(Has(c.pty.Stty(), "speed 4800 baud"));

    c.com->SetParity(TParity::Odd);
    EXPECT_TRUE(Has(c.pty.Stty(), "-parodd")) << "parity waits for the next apply";

    c.com->SetStopBits(TStopBits::_2); // any other line setting carries parity along
    const std::string r = c.pty.Stty();
    EXPECT_TRUE(Has(r, "parodd")) << r;
    EXPECT_TRUE(Has(r, "cstopb")) << r;

    c.com->SetCommName("/dev/pellow-elsewhere");
    c.pty.Write("still here");
    EXPECT_TRUE(c.PumpUntil([&] { return c.log.Received() == "still here"; }))
        << "a new name leaves the open device in use";
}

TEST(LineSettings, UnchangedValueDoesNotTouchTheDevice) {
    PtyComm c;
    c.com->OpenPort();
    // Change the line behind the component's back; rewriting the stored value must not
    // put it back, while a real change re-applies everything.
    c.pty.Stty("2400");
    c.com->SetBaudRate(115200);
    EXPECT_TRUE(Has(c.pty.Stty(), "speed 2400 baud"));
    c.com->SetByteSize(TByteSize::_7);
    EXPECT_TRUE(Has(c.pty.Stty(), "speed 115200 baud"));
}

TEST(LineSettings, DtrAndRtsReachTheDeviceAtOpenAndWhenChanged) {
    ScriptedDevice* device = nullptr;
    LoggedComm c(OpenScripted(&device));
    c.com->SetDtrControl(TDtrControl::DtrDisable);
    c.com->SetRtsControl(TRtsControl::RtsDisable);
    c.com->OpenPort();
    const auto lines = [&] { return ModemLinesFor(DcbFlags(device->applied.back())); };
    EXPECT_EQ(lines().lower, TIOCM_DTR | TIOCM_RTS);

    c.com->SetDtrControl(TDtrControl::DtrEnable);
    EXPECT_EQ(lines().raise, TIOCM_DTR);
    c.com->SetRtsControl(TRtsControl::RtsEnable);
    EXPECT_EQ(lines().raise, TIOCM_DTR | TIOCM_RTS);
    c.com->SetDtrControl(TDtrControl::DtrDisable);
    EXPECT_EQ(lines().lower, TIOCM_DTR);
    EXPECT_EQ(device->applied.size(), 4u) << "once at opening, once for each change";
}

TEST(LineSettings, ConstructionDefaults) {
    LoggedComm c;
    const TComm& com = *c.com;
    EXPECT_EQ(com.CommName(), "COM2");
    EXPECT_EQ(com.BaudRate(), 9600u);
    EXPECT_FALSE(com.ParityCheck());
    EXPECT_FALSE(com.Outx_CtsFlow());
    EXPECT_FALSE(com.Outx_DsrFlow());
    EXPECT_EQ(com.DtrControl(), TDtrControl::DtrEnable);
    EXPECT_FALSE(com.DsrSensitivity());
    EXPECT_TRUE(com.TxContinueOnXoff());
    EXPECT_TRUE(com.Outx_XonXoffFlow());
    EXPECT_TRUE(com.Inx_XonXoffFlow());
    EXPECT_FALSE(com.ReplaceWhenParityError());
    EXPECT_FALSE(com.IgnoreNullChar());
    EXPECT_EQ(com.RtsControl(), TRtsControl::RtsEnable);
    EXPECT_EQ(com.XonLimit(), 500);
    EXPECT_EQ(com.XoffLimit(), 500);
    EXPECT_EQ(com.ByteSize(), TByteSize::_8);
    EXPECT_EQ(com.Parity(), TParity::None);
    EXPECT_EQ(com.StopBits(), TStopBits::_1);
    EXPECT_EQ(com.XonChar(), 17);
    EXPECT_EQ(com.XoffChar(), 19);
    EXPECT_EQ(com.ReplacedChar(), 0);
    EXPECT_EQ(com.ReadIntervalTimeout(), 100u);
    EXPECT_EQ(com.ReadTotalTimeoutMultiplier(), 0u);
    EXPECT_EQ(com.ReadTotalTimeoutConstant(), 0u);
    EXPECT_EQ(com.WriteTotalTimeoutMultiplier(), 0u);
    EXPECT_EQ(com.WriteTotalTimeoutConstant(), 0u);
    EXPECT_FALSE(com.PortOpen());
}
