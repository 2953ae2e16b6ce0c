#include "serial/posix/CustomBaudRate.h"

#include <asm/ioctls.h>
#include <asm/termbits.h>

// <sys/ioctl.h> would pull the C library's termios types in beside the kernel's.
extern "C" int ioctl(int fd, unsigned long request, ...);

namespace pellow {

std::uint32_t SetCustomBaudRate(int fd, std::uint32_t baudRate) {
    termios2 t{};
    if (ioctl(fd, TCGETS2, &t) != 0) {
        return 0;
    }
    t.c_cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    t.c_cflag |= BOTHER | (BOTHER << IBSHIFT);
    t.c_ispeed = baudRate;
    t.c_ospeed = baudRate;
    if (ioctl(fd, TCSETS2, &t) != 0) {
        return 0;
    }
    return ReadLineSpeeds(fd).output;
}

LineSpeeds ReadLineSpeeds(int fd) {
    termios2 t{};
    if (ioctl(fd, TCGETS2, &t) != 0) {
        return {};
    }
    return {t.c_ispeed, t.c_ospeed};
}

} // namespace pellow
