#pragma once
// A file opened for reading from its start, leaving other programs free to read, write
// (and on Windows delete or rename) it meanwhile. Any thread; one object, one thread.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace pellow {

class TReadableFile {
public:
    explicit TReadableFile(const std::filesystem::path& path);
    ~TReadableFile();
    TReadableFile(const TReadableFile&) = delete;
    TReadableFile& operator=(const TReadableFile&) = delete;

    // False when it could not be opened; Error() says why.
    bool IsOpen() const { return handle_ != NoHandle; }
    // The size of a regular file; nothing for devices, pipes and the like, whose content
    // is what can be read.
    std::optional<std::uint64_t> RegularFileSize();
    // Up to size bytes into buffer: the count read, 0 at the end, -1 on failure.
    std::int64_t Read(char* buffer, std::size_t size);

    // The system's reason for the last failure.
    const std::string& Error() const { return error_; }

private:
    static constexpr std::intptr_t NoHandle = -1;
    void Failed();

    std::intptr_t handle_ = NoHandle;
    std::string error_;
};

} // namespace pellow
