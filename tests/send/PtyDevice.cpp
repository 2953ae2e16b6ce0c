#include "PtyDevice.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <stdlib.h>
#include <unistd.h>

namespace pellow::test {

PtyDevice::PtyDevice() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        if (master_ >= 0)
            close(master_);
        throw std::runtime_error("no pseudo-terminal");
    }
    char name[256] = {};
    if (ptsname_r(master_, name, sizeof name) != 0) {
        close(master_);
        throw std::runtime_error("no pseudo-terminal name");
    }
    slaveName_ = name;
}

PtyDevice::~PtyDevice() {
    close(master_);
}

std::string PtyDevice::ReadAvailable() {
    std::string bytes;
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(master_, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        // EAGAIN: nothing more now; EIO: the slave is not open.
        return bytes;
    }
}

} // namespace pellow::test
