#include "ReadOnlyFolder.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

namespace pellow::test {

namespace fs = std::filesystem;

namespace {

bool OwnMountNamespace() {
    // Mounts made here must not spread back to the namespace the test was started in.
    thread_local const bool own = ::unshare(CLONE_NEWNS) == 0 &&
                                  ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return own;
}

bool CanCreateIn(const fs::path& folder) {
    const fs::path probe = folder / "write-probe";
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

} // namespace

ReadOnlyFolder::ReadOnlyFolder(fs::path folder) : folder_(std::move(folder)) {
    if (::geteuid() != 0) {
        fs::permissions(folder_, fs::perms::owner_read | fs::perms::owner_exec);
    } else if (OwnMountNamespace() &&
               ::mount(folder_.c_str(), folder_.c_str(), nullptr, MS_BIND, nullptr) == 0) {
        mounted_ = true;
        ::mount(nullptr, folder_.c_str(), nullptr, MS_REMOUNT | MS_BIND | MS_RDONLY, nullptr);
    }
    refuses_ = !CanCreateIn(folder_);
}

ReadOnlyFolder::~ReadOnlyFolder() {
    if (mounted_) {
        ::umount2(folder_.c_str(), MNT_DETACH);
    } else if (::geteuid() != 0) {
        std::error_code ec;
        fs::permissions(folder_, fs::perms::owner_all, ec);
    }
}

} // namespace pellow::test
