#pragma once
// Writing the receive area to a file. Any thread.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace pellow {

// Creates (or replaces) the file `name` in the first of `folders` where that succeeds and
// writes exactly `bytes` into it. Returns the path written. Throws std::runtime_error
// naming the first folder's file and the system's reason when no folder takes it; a file
// that could be created but not written whole is removed again.
std::filesystem::path WriteFileInFirstFolder(const std::vector<std::filesystem::path>& folders,
                                             const std::string& name, std::string_view bytes);

} // namespace pellow
