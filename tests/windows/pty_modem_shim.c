/* Preloaded into Wine while the engine's tests run: makes a pseudo-terminal look like a
 * three-wire serial port to Wine's communications layer. A pty refuses the modem-line
 * ioctls, so Wine's WaitCommEvent, GetCommModemStatus and EscapeCommFunction fail on
 * it; here, only when the real ioctl fails with ENOTTY, TIOCMGET reads no lines,
 * TIOCMSET/TIOCMBIS/TIOCMBIC change nothing and TIOCGICOUNT counts no events. Every
 * other call, and every call a device answers itself, is left as it is. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <linux/serial.h>
#include <stdarg.h>
#include <string.h>
#include <sys/ioctl.h>

int ioctl(int fd, unsigned long request, ...) {
    static int (*real_ioctl)(int, unsigned long, ...);
    if (real_ioctl == NULL) {
        real_ioctl = (int (*)(int, unsigned long, ...))dlsym(RTLD_NEXT, "ioctl");
    }
    va_list arguments;
    va_start(arguments, request);
    void *argument = va_arg(arguments, void *);
    va_end(arguments);

    const int result = real_ioctl(fd, request, argument);
    if (result == 0 || errno != ENOTTY) {
        return result;
    }
    switch (request) {
    case TIOCMGET:
        *(int *)argument = 0;
        return 0;
    case TIOCMSET:
    case TIOCMBIS:
    case TIOCMBIC:
        return 0;
    case TIOCGICOUNT:
        memset(argument, 0, sizeof(struct serial_icounter_struct));
        return 0;
    default:
        errno = ENOTTY;
        return result;
    }
}
