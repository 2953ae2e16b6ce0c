#include "receive/SaveFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <stdexcept>
#include <string>
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

// Creates a new file beside `target` under a name of its own, so that the target is only
// replaced once the new content is whole. Returns the descriptor (or -1 with errno set)
// and the name taken in `temp`.
int CreateBeside(const std::filesystem::path& target, std::filesystem::path& temp) {
    const std::string prefix = "." + target.filename().string() + "." + std::to_string(::getpid());
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = target.parent_path() / (prefix + "-" + std::to_string(attempt) + ".part");
        const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
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
        std::filesystem::path temp;
        OwnedDescriptor file(CreateBeside(path, temp));
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
        if (error == 0 && ::rename(temp.c_str(), path.c_str()) != 0)
            error = errno;
        if (error != 0) {
            ::unlink(temp.c_str());
            throw std::runtime_error("Cannot write file \"" + path.string() + "\". " +
                                     std::strerror(error));
        }
        return path;
    }
    throw std::runtime_error(firstError.value_or("Cannot create file \"" + name + "\"."));
}

} // namespace pellow
