#include "tests/serial/PtyPair.h"

#include "serial/posix/CustomBaudRate.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <stdexcept>
#include <unistd.h>

namespace pellow::test {

using Clock = std::chrono::steady_clock;

PtyPair::PtyPair() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
        throw std::runtime_error("no pseudo-terminal");
    }
    slavePath_ = ::ptsname(master_);
}

PtyPair::~PtyPair() {
    CloseMaster();
}

void PtyPair::CloseMaster() {
    if (master_ >= 0) {
        ::close(master_);
        master_ = -1;
    }
}

void PtyPair::Write(const std::string& bytes) const {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(master_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno != EINTR && errno != EAGAIN) {
            throw std::runtime_error("pty write failed");
        }
    }
}

std::size_t PtyPair::WriteSome(const char* data, std::size_t size,
                               std::chrono::milliseconds wait) const {
    pollfd p{master_, POLLOUT, 0};
    if (::poll(&p, 1, static_cast<int>(wait.count())) <= 0 || !(p.revents & POLLOUT)) {
        return 0;
    }
    const ssize_t n = ::write(master_, data, size);
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

std::string PtyPair::Read(std::size_t count, std::chrono::milliseconds deadline) const {
    std::string got;
    const auto end = Clock::now() + deadline;
    char buffer[4096];
    while (got.size() < count) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
        if (left.count() <= 0) {
            break;
        }
        pollfd p{master_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(left.count())) <= 0 || !(p.revents & POLLIN)) {
            continue;
        }
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n > 0) {
            got.append(buffer, static_cast<std::size_t>(n));
        }
    }
    return got;
}

std::string PtyPair::ReadUntilQuiet(std::chrono::milliseconds quiet) const {
    std::string got;
    char buffer[4096];
    for (;;) {
        pollfd p{master_, POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(quiet.count())) <= 0 || !(p.revents & POLLIN)) {
            return got;
        }
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0) {
            return got;
        }
        got.append(buffer, static_cast<std::size_t>(n));
    }
}

std::string PtyPair::Stty(const std::string& arguments) const {
    // On the master, the terminal calls act on the slave, so stty sees the slave's line
    // without opening it (which exclusive mode would refuse).
    const int inherited = ::dup(master_);
    const std::string command = "stty " + arguments + " <&" + std::to_string(inherited) + " 2>&1";
    std::string report;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[512];
        while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) {
            report += buffer;
        }
        ::pclose(pipe);
    }
    ::close(inherited);
    return report;
}

LineSpeeds PtyPair::Speeds() const {
    return ReadLineSpeeds(master_);
}

int OpenDescriptorCount() {
    int count = 0;
    if (DIR* dir = ::opendir("/proc/self/fd")) {
        while (::readdir(dir) != nullptr) {
            ++count;
        }
        ::closedir(dir);
    }
    return count;
}

} // namespace pellow::test
