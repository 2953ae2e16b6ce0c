#include "receive/SaveFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <stdexcept>
#include <unistd.h>

namespace pellow {

namespace {

class OwnedDescriptor {
public:
    explicit OwnedDescriptor(int fd) : fd_(fd) {}
    ~OwnedDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    OwnedDescriptor(const OwnedDescriptor&) = delete;
    OwnedDescriptor& operator=(const OwnedDescriptor&) = delete;
    int Get() const { return fd_; }
    // Closes now, so that a failure to flush is seen.
    int Close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result;
    }

private:
    int fd_;
};

// 0 on success, else the errno of the failure.
int WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

std::string CreateError(const std::filesystem::path& path, int error) {
    return "Cannot create file \"" + path.string() + "\". " + std::strerror(error);
}

} // namespace

std::filesystem::path WriteFileInFirstFolder(const std::vector<std::filesystem::path>& folders,
                                             const std::string& name, std::string_view bytes) {
    return WriteFileInFirstFolder(folders, name,
                                  [bytes](const ByteSink& sink) { sink(bytes); });
}

std::filesystem::path WriteFileInFirstFolder(const std::vector<std::filesystem::path>& folders,
                                             const std::string& name,
                                             const std::function<void(const ByteSink&)>& bytes) {
    std::optional<std::string> firstError;
    for (const std::filesystem::path& folder : folders) {
        const std::filesystem::path path = folder / name;
        OwnedDescriptor file(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
        if (file.Get() < 0) {
            if (!firstError)
                firstError = CreateError(path, errno);
            continue;
        }
        int error = 0;
        bytes([&](std::string_view piece) {
            if (error == 0)
                error = WriteAll(file.Get(), piece);
        });
        if (file.Close() != 0 && error == 0)
            error = errno;
        if (error != 0) {
            ::unlink(path.c_str());
            throw std::runtime_error("Cannot write file \"" + path.string() + "\". " +
                                     std::strerror(error));
        }
        return path;
    }
    throw std::runtime_error(firstError.value_or("Cannot create file \"" + name + "\"."));
}

} // namespace pellow
