#include "platform/FileReplacement.h"
#include "platform/PathText.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace pellow {

TFileReplacement::TFileReplacement(std::filesystem::path target,
                                   const std::function<std::string(int)>& tempName)
    : target_(std::move(target)) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp_ = target_.parent_path() / PathFromText(tempName(attempt));
        const int fd = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            handle_ = fd;
            return;
        }
        if (errno != EEXIST) {
            break;
        }
    }
    error_ = std::strerror(errno);
    failed_ = true;
}

TFileReplacement::~TFileReplacement() {
    Discard();
}

void TFileReplacement::Fail() {
    if (!failed_) {
        error_ = std::strerror(errno);
        failed_ = true;
    }
}

void TFileReplacement::Discard() {
    if (handle_ != NoHandle) {
        ::close(static_cast<int>(handle_));
        handle_ = NoHandle;
        ::unlink(temp_.c_str());
    }
}

bool TFileReplacement::Write(std::string_view bytes) {
    while (!failed_ && !bytes.empty()) {
        const ssize_t n = ::write(static_cast<int>(handle_), bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            Fail();
            break;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return !failed_;
}

bool TFileReplacement::Commit() {
    if (failed_) {
        Discard();
        return false;
    }
    const int fd = static_cast<int>(handle_);
    // The new file takes the old one's permissions; a new one those that creation gave.
    struct stat old {};
    if (::stat(target_.c_str(), &old) == 0 && ::fchmod(fd, old.st_mode & 07777) != 0) {
        Fail();
    }
    if (!failed_ && ::fsync(fd) != 0) {
        Fail();
    }
    handle_ = NoHandle;
    if (::close(fd) != 0) {
        Fail();
    }
    if (!failed_ && ::rename(temp_.c_str(), target_.c_str()) != 0) {
        Fail();
    }
    if (failed_) {
        ::unlink(temp_.c_str());
    }
    return !failed_;
}

} // namespace pellow
