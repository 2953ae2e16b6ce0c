#include "serial/posix/PortLockFile.h"

#include "serial/posix/UniqueFd.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

namespace pellow {

namespace fs = std::filesystem;

namespace {

// A stale lock may be replaced by another program between our look and our take; after
// this many rounds the port counts as taken.
constexpr int TakeAttempts = 3;

std::string LockText(pid_t pid) {
    char text[16];
    std::snprintf(text, sizeof text, "%10d\n", static_cast<int>(pid));
    return text;
}

// The PID a lock file names; 0 when it names none (empty, garbage, unreadable, gone).
// Zero and negative numbers name no process: kill would signal a whole group with them.
pid_t LockOwner(const fs::path& file) {
    const UniqueFd fd(::open(file.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    if (!fd.Valid()) {
        return 0;
    }
    char text[32] = {};
    const ssize_t n = ::read(fd.Get(), text, sizeof text - 1);
    if (n <= 0) {
        return 0;
    }
    char* end = nullptr;
    errno = 0;
    const long pid = std::strtol(text, &end, 10);
    while (*end == ' ' || *end == '\n') {
        ++end;
    }
    if (errno != 0 || end == text || *end != '\0' || pid <= 0 || pid > 0x7FFFFFFF) {
        return 0;
    }
    return static_cast<pid_t>(pid);
}

bool ProcessAlive(pid_t pid) {
    return ::kill(pid, 0) == 0 || errno == EPERM;
}

enum class Create { Made, Exists, Impossible };

Create CreateLockFile(const fs::path& file) {
    const UniqueFd fd(
        ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
    if (!fd.Valid()) {
        return errno == EEXIST ? Create::Exists : Create::Impossible;
    }
    const std::string text = LockText(::getpid());
    if (::write(fd.Get(), text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
        // A lock without its PID would look stale to everyone; better none at all.
        ::unlink(file.c_str());
        return Create::Impossible;
    }
    return Create::Made;
}

} // namespace

fs::path SystemLockFolder() {
    for (const char* folder : {"/run/lock", "/var/lock"}) {
        std::error_code ec;
        if (fs::is_directory(folder, ec)) {
            return folder;
        }
    }
    return {};
}

fs::path LockFilePath(const fs::path& folder, const std::string& device) {
    std::error_code ec;
    const fs::path real = fs::canonical(device, ec);
    return folder / ("LCK.." + (ec ? fs::path(device) : real).filename().string());
}

PortLockFile::~PortLockFile() {
    Release();
}

PortLockFile::PortLockFile(PortLockFile&& other) noexcept : file_(std::move(other.file_)) {
    other.file_.clear();
}

PortLockFile& PortLockFile::operator=(PortLockFile&& other) noexcept {
    if (this != &other) {
        Release();
        file_ = std::move(other.file_);
        other.file_.clear();
    }
    return *this;
}

void PortLockFile::Release() {
    // A file that names another process is that process's lock now; it stays.
    if (Held() && LockOwner(file_) == ::getpid()) {
        ::unlink(file_.c_str());
    }
    file_.clear();
}

std::optional<PortLockFile> LockPort(const fs::path& folder, const std::string& device) {
    if (folder.empty()) {
        return PortLockFile();
    }
    const fs::path file = LockFilePath(folder, device);
    for (int attempt = 0; attempt < TakeAttempts; ++attempt) {
        switch (CreateLockFile(file)) {
        case Create::Made:
            return PortLockFile(file);
        case Create::Impossible:
            return PortLockFile();
        case Create::Exists:
            break;
        }
        if (const pid_t owner = LockOwner(file); owner != 0 && ProcessAlive(owner)) {
            return std::nullopt;
        }
        // Stale. One we may not remove is one we cannot take over: go on without.
        if (::unlink(file.c_str()) != 0 && errno != ENOENT) {
            return PortLockFile();
        }
    }
    return std::nullopt;
}

} // namespace pellow
