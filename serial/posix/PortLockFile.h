#pragma once
// The lock-file convention that Linux serial programs keep beside flock and exclusive
// mode, so that a program using neither still sees the port as taken: while a port is
// open, the file "LCK..<name>" in the lock folder holds the owner's PID as ten ASCII
// characters, right-aligned, and a newline. <name> is the base name of the device once
// symbolic links are followed, so a /dev/serial/by-id link and the /dev/ttyUSB0 it
// points to share one lock, and /dev/pts/3 is locked as "LCK..3".

#include <filesystem>
#include <optional>
#include <string>

namespace pellow {

// /run/lock, or /var/lock where that is missing; empty where neither exists.
std::filesystem::path SystemLockFolder();

// Where the lock of `device` lives in `folder`.
std::filesystem::path LockFilePath(const std::filesystem::path& folder, const std::string& device);

// A lock file this process made; removed when this goes, unless it no longer names us.
class PortLockFile {
public:
    PortLockFile() = default; // no file: the port is open without one
    explicit PortLockFile(std::filesystem::path file) : file_(std::move(file)) {}
    ~PortLockFile();
    PortLockFile(PortLockFile&& other) noexcept;
    PortLockFile& operator=(PortLockFile&& other) noexcept;
    PortLockFile(const PortLockFile&) = delete;
    PortLockFile& operator=(const PortLockFile&) = delete;

    bool Held() const { return !file_.empty(); }

private:
    void Release();

    std::filesystem::path file_;
};

// Takes the lock of `device` in `folder`; none when a live process holds it. A lock
// whose PID is gone, or that names no PID, is stale and taken over. Where no lock file
// can be made (no folder given, the folder missing or not writable) the result holds
// none and the port is opened without, as other programs do.
std::optional<PortLockFile> LockPort(const std::filesystem::path& folder,
                                     const std::string& device);

} // namespace pellow
