#include "filesend/ReadWholeFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pellow {

namespace {

class TFileDescriptor {
public:
    explicit TFileDescriptor(int fd) : fd_(fd) {}
    ~TFileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;
    int Get() const { return fd_; }

private:
    int fd_;
};

TFileContent Failed(TFileContent::TStatus status, int error) {
    TFileContent result;
    result.status = status;
    if (error != 0) {
        result.error = std::strerror(error);
    }
    return result;
}

} // namespace

TFileContent ReadWholeFile(const std::string& path, std::int64_t maxSize) {
    TFileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0) {
        return Failed(TFileContent::TStatus::OpenFailed, errno);
    }

    TFileContent result;
    struct stat info {};
    if (::fstat(file.Get(), &info) == 0 && S_ISREG(info.st_mode)) {
        if (info.st_size > maxSize) {
            return Failed(TFileContent::TStatus::TooLarge, 0);
        }
        result.bytes.reserve(static_cast<std::size_t>(info.st_size));
    }

    char chunk[65536];
    for (;;) {
        const ssize_t got = ::read(file.Get(), chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return Failed(TFileContent::TStatus::ReadFailed, errno);
        }
        if (got == 0) {
            break;
        }
        if (static_cast<std::int64_t>(result.bytes.size()) + got > maxSize) {
            return Failed(TFileContent::TStatus::TooLarge, 0);
        }
        result.bytes.append(chunk, static_cast<std::size_t>(got));
    }
    return result;
}

} // namespace pellow
