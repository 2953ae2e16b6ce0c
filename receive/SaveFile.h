#pragma once
// Writing the receive area to a file. Any thread.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace pellow {

// Creates (or replaces) the file `name` in the first of `folders` where that succeeds and
// writes exactly `bytes` into it. Returns the path written. Throws std::runtime_error
// naming the first folder's file and the system's reason when no folder takes it. The
// bytes go to a new file beside it that is renamed into place once written whole, so a
// write that fails (a full disk) leaves an earlier file of that name as it was and
// nothing else behind.
std::filesystem::path WriteFileInFirstFolder(const std::vector<std::filesystem::path>& folders,
                                             const std::string& name, std::string_view bytes);

// The same with the bytes handed to `sink` piece by piece, in order, by `bytes`, so that
// they need not stand in memory as one string.
using ByteSink = std::function<void(std::string_view)>;
std::filesystem::path WriteFileInFirstFolder(const std::vector<std::filesystem::path>& folders,
                                             const std::string& name,
                                             const std::function<void(const ByteSink&)>& bytes);

} // namespace pellow
