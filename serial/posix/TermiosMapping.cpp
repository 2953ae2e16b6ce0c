#include "serial/posix/TermiosMapping.h"

#include "serial/CommFlags.h"

#include <array>
#include <sys/ioctl.h>
#include <utility>

namespace pellow {

speed_t StandardSpeed(std::uint32_t baudRate) {
    static constexpr std::array<std::pair<std::uint32_t, speed_t>, 30> rates{{
        {50, B50},           {75, B75},           {110, B110},         {134, B134},
        {150, B150},         {200, B200},         {300, B300},         {600, B600},
        {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
        {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
        {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
        {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
        {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
        {3500000, B3500000}, {4000000, B4000000},
    }};
    for (const auto& [rate, speed] : rates) {
        if (rate == baudRate) {
            return speed;
        }
    }
    return B0;
}

termios MakeTermios(const termios& current, const LineSettings& s) {
    termios t = current;
    // Raw: no line editing, no translation, no signals, no echo.
    t.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF |
                   IXANY | INPCK | IGNPAR);
    t.c_oflag &= ~OPOST;
    t.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    t.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    t.c_cflag |= CREAD | CLOCAL;
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;

    switch (s.byteSize) {
    case TByteSize::_5:
        t.c_cflag |= CS5;
        break;
    case TByteSize::_6:
        t.c_cflag |= CS6;
        break;
    case TByteSize::_7:
        t.c_cflag |= CS7;
        break;
    case TByteSize::_8:
        t.c_cflag |= CS8;
        break;
    }
    switch (s.parity) {
    case TParity::None:
        break;
    case TParity::Odd:
        t.c_cflag |= PARENB | PARODD;
        break;
    case TParity::Even:
        t.c_cflag |= PARENB;
        break;
    case TParity::Mark:
        t.c_cflag |= PARENB | CMSPAR | PARODD;
        break;
    case TParity::Space:
        t.c_cflag |= PARENB | CMSPAR;
        break;
    }
    if (s.stopBits != TStopBits::_1) {
        t.c_cflag |= CSTOPB;
    }

    const std::uint32_t flags = DcbFlags(s);
    if (flags & DcbFlag::fParity) {
        t.c_iflag |= INPCK;
    }
    if (flags & DcbFlag::fOutX) {
        t.c_iflag |= IXON;
    }
    if (flags & DcbFlag::fInX) {
        t.c_iflag |= IXOFF;
    }
    t.c_cc[VSTART] = static_cast<cc_t>(s.xonChar);
    t.c_cc[VSTOP] = static_cast<cc_t>(s.xoffChar);
    // Linux has one switch for both directions of hardware handshake.
    if ((flags & DcbFlag::fOutxCtsFlow) || RtsControlField(flags) == RTS_CONTROL_HANDSHAKE) {
        t.c_cflag |= CRTSCTS;
    }
    if (const speed_t speed = StandardSpeed(s.baudRate); speed != B0) {
        // A custom rate set earlier left its own input-rate field behind, which the C
        // library's setters do not touch; cleared, the input follows the output rate.
        t.c_cflag &= ~CIBAUD;
        cfsetispeed(&t, speed);
        cfsetospeed(&t, speed);
    }
    return t;
}

ModemLineChange ModemLinesFor(std::uint32_t flags) {
    ModemLineChange change;
    // Any other field value is a handshake, which leaves the line to the driver.
    const auto steer = [&change](int line, bool raise, bool lower) {
        change.raise |= raise ? line : 0;
        change.lower |= lower ? line : 0;
    };
    const std::uint32_t dtr = DtrControlField(flags);
    steer(TIOCM_DTR, dtr == DTR_CONTROL_ENABLE, dtr == DTR_CONTROL_DISABLE);
    const std::uint32_t rts = RtsControlField(flags);
    steer(TIOCM_RTS, rts == RTS_CONTROL_ENABLE, rts == RTS_CONTROL_DISABLE);
    return change;
}

} // namespace pellow
