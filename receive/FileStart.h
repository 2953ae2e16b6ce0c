#pragma once
// Reading the start of a file for its preview. Any thread.

#include <cstddef>
#include <cstdint>
#include <string>

namespace pellow {

struct TFileStart {
    std::string bytes;  // the first min(size, maxBytes) bytes
    std::uint64_t size; // the file's size in bytes
};

// True when `name` names a plain file. Only such a file counts as existing for the
// preview and for sending: opening or reading a pipe or a device could block the window,
// or never end.
bool IsExistingFile(const std::string& name);

// Opens the file for reading only, leaving other programs free to read and write it.
// Throws std::runtime_error with the system's reason when it cannot be opened or read.
TFileStart ReadFileStart(const std::string& path, std::size_t maxBytes);

} // namespace pellow
