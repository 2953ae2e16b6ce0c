#include "platform/ReadableFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pellow {

TReadableFile::TReadableFile(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        Failed();
        return;
    }
    handle_ = fd;
}

TReadableFile::~TReadableFile() {
    if (handle_ != NoHandle) {
        ::close(static_cast<int>(handle_));
    }
}

void TReadableFile::Failed() {
    error_ = std::strerror(errno);
}

std::optional<std::uint64_t> TReadableFile::RegularFileSize() {
    struct stat info {};
    if (::fstat(static_cast<int>(handle_), &info) != 0) {
        Failed();
        return std::nullopt;
    }
    if (!S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(info.st_size);
}

std::int64_t TReadableFile::Read(char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t got = ::read(static_cast<int>(handle_), buffer, size);
        if (got >= 0) {
            return got;
        }
        if (errno != EINTR) {
            Failed();
            return -1;
        }
    }
}

} // namespace pellow
