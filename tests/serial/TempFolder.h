#pragma once
// A fresh folder under the system's temporary folder, removed with all it holds, and
// the whole of a file as bytes.

#include <filesystem>
#include <string>

namespace pellow::test {

class TempFolder {
public:
    explicit TempFolder(const std::string& prefix);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }

private:
    std::filesystem::path path_;
};

// Every byte of the file; empty when it cannot be read.
std::string FileContents(const std::filesystem::path& file);

} // namespace pellow::test
