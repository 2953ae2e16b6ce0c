#include "receive/FileStart.h"

#include "filesend/SendFileCheck.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <sys/stat.h>

namespace pellow {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

[[noreturn]] void ThrowReadError(const std::string& path, int error) {
    throw std::runtime_error("Cannot read file \"" + path + "\". " + std::strerror(error));
}

} // namespace

bool IsExistingFile(const std::string& name) {
    std::error_code error;
    return !name.empty() && std::filesystem::is_regular_file(name, error);
}

TFileStart ReadFileStart(const std::string& path, std::size_t maxBytes) {
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rbe"));
    if (!file)
        throw std::runtime_error(OpenFailedMessage(path, std::strerror(errno)));
    struct stat info {};
    if (::fstat(::fileno(file.get()), &info) != 0)
        ThrowReadError(path, errno);

    TFileStart start{std::string(maxBytes, '\0'), static_cast<std::uint64_t>(info.st_size)};
    const std::size_t got = std::fread(start.bytes.data(), 1, maxBytes, file.get());
    if (got < maxBytes && std::ferror(file.get()))
        ThrowReadError(path, errno);
    start.bytes.resize(got);
    // Devices and pipes have no size of their own; what could be read is all there is.
    if (!S_ISREG(info.st_mode))
        start.size = got;
    return start;
}

} // namespace pellow
