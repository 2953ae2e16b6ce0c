#pragma once
// Reading a file whole for sending, without ever holding more than the sendable size.

#include <cstdint>
#include <string>

namespace pellow {

struct TFileContent {
    enum class TStatus {
        Ok,
        OpenFailed, // error holds the system's reason
        ReadFailed, // error holds the system's reason; bytes is empty
        TooLarge,   // more than maxSize bytes; bytes is empty
    };
    TStatus status = TStatus::Ok;
    std::string bytes;
    std::string error;
};

// Reads the named file from its first to its last byte, leaving other programs free to
// read and write it meanwhile. A file that is (or grows) larger than maxSize is refused
// without reading it all, so a huge file or an endless device cannot exhaust memory.
TFileContent ReadWholeFile(const std::string& path, std::int64_t maxSize);

} // namespace pellow
