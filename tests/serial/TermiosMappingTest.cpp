#include "serial/posix/TermiosMapping.h"
#include "serial/CommFlags.h"

#include <gtest/gtest.h>

#include <sys/ioctl.h>

using namespace pellow;

namespace {

termios Cooked() {
    termios t{};
    t.c_iflag = ICRNL | IXON | BRKINT | PARMRK;
    t.c_oflag = OPOST | ONLCR;
    t.c_lflag = ECHO | ICANON | ISIG | IEXTEN;
    t.c_cflag = CS7 | PARENB | HUPCL;
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 5;
    return t;
}

} // namespace

TEST(TermiosMapping, RawEightBitsWithoutFlowByDefaultOfTheWindow) {
    LineSettings s;
    s.outxXonXoffFlow = false;
    s.inxXonXoffFlow = false;
    const termios t = MakeTermios(Cooked(), s);
    EXPECT_EQ(t.c_iflag & (ICRNL | IXON | IXOFF | BRKINT | PARMRK | INPCK), 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);
    EXPECT_EQ(t.c_lflag & (ECHO | ICANON | ISIG | IEXTEN), 0u);
    EXPECT_EQ(t.c_cflag & (CSIZE | PARENB | CSTOPB | CRTSCTS), CS8);
    EXPECT_EQ(t.c_cflag & (CREAD | CLOCAL), CREAD | CLOCAL);
    EXPECT_EQ(t.c_cflag & HUPCL, HUPCL) << "unrelated bits keep the device's values";
    EXPECT_EQ(t.c_cc[VMIN], 0);
    EXPECT_EQ(t.c_cc[VTIME], 0);
    EXPECT_EQ(cfgetospeed(&t), B9600);
}

TEST(TermiosMapping, LineShape) {
    struct Case {
        TByteSize byteSize;
        TParity parity;
        TStopBits stopBits;
        tcflag_t cflag;
    } const cases[] = {
        {TByteSize::_5, TParity::None, TStopBits::_1_5, CS5 | CSTOPB},
        {TByteSize::_6, TParity::Odd, TStopBits::_1, CS6 | PARENB | PARODD},
        {TByteSize::_7, TParity::Even, TStopBits::_2, CS7 | PARENB | CSTOPB},
        {TByteSize::_8, TParity::Mark, TStopBits::_1, CS8 | PARENB | PARODD | CMSPAR},
        {TByteSize::_8, TParity::Space, TStopBits::_1, CS8 | PARENB | CMSPAR},
    };
    for (const auto& c : cases) {
        LineSettings s;
        s.byteSize = c.byteSize;
        s.parity = c.parity;
        s.stopBits = c.stopBits;
        const termios t = MakeTermios(Cooked(), s);
        EXPECT_EQ(t.c_cflag & (CSIZE | PARENB | PARODD | CMSPAR | CSTOPB), c.cflag)
            << static_cast<int>(c.byteSize) << "/" << static_cast<int>(c.parity) << "/"
            << static_cast<int>(c.stopBits);
    }
}

TEST(TermiosMapping, FlowControlAndCharacters) {
    LineSettings s;
    s.xonChar = 'A';
    s.xoffChar = 'B';
    s.parityCheck = true;
    s.outxCtsFlow = true;
    termios t = MakeTermios(Cooked(), s);
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF | INPCK), IXON | IXOFF | INPCK);
    EXPECT_EQ(t.c_cc[VSTART], 'A');
    EXPECT_EQ(t.c_cc[VSTOP], 'B');
    EXPECT_EQ(t.c_cflag & CRTSCTS, CRTSCTS);

    s.outxCtsFlow = false;
    s.rtsControl = TRtsControl::RtsHandshake;
    EXPECT_EQ(MakeTermios(Cooked(), s).c_cflag & CRTSCTS, CRTSCTS);
    s.rtsControl = TRtsControl::RtsEnable;
    EXPECT_EQ(MakeTermios(Cooked(), s).c_cflag & CRTSCTS, 0u);
}

TEST(TermiosMapping, StandardRatesOnlyBecomeBConstants) {
    EXPECT_EQ(StandardSpeed(300), B300);
    EXPECT_EQ(StandardSpeed(1200), B1200);
    EXPECT_EQ(StandardSpeed(115200), B115200);
    EXPECT_EQ(StandardSpeed(43000), B0);
    EXPECT_EQ(StandardSpeed(56000), B0);
    EXPECT_EQ(StandardSpeed(0), B0);
}

TEST(TermiosMapping, DtrAndRtsRaiseOrLowerTheirLinesUnlessHandshaking) {
    struct Case {
        TDtrControl dtr;
        TRtsControl rts;
        int raise;
        int lower;
    } const cases[] = {
        {TDtrControl::DtrEnable, TRtsControl::RtsEnable, TIOCM_DTR | TIOCM_RTS, 0},
        {TDtrControl::DtrDisable, TRtsControl::RtsDisable, 0, TIOCM_DTR | TIOCM_RTS},
        {TDtrControl::DtrEnable, TRtsControl::RtsDisable, TIOCM_DTR, TIOCM_RTS},
        {TDtrControl::DtrDisable, TRtsControl::RtsEnable, TIOCM_RTS, TIOCM_DTR},
        {TDtrControl::DtrHandshake, TRtsControl::RtsHandshake, 0, 0},
        {TDtrControl::DtrHandshake, TRtsControl::RtsTransmissionAvailable, 0, 0},
    };
    for (const auto& c : cases) {
        LineSettings s;
        s.dtrControl = c.dtr;
        s.rtsControl = c.rts;
        const ModemLineChange change = ModemLinesFor(DcbFlags(s));
        EXPECT_EQ(change.raise, c.raise)
            << static_cast<int>(c.dtr) << "/" << static_cast<int>(c.rts);
        EXPECT_EQ(change.lower, c.lower)
            << static_cast<int>(c.dtr) << "/" << static_cast<int>(c.rts);
    }
}
