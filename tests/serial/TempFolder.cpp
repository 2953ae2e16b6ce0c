#include "tests/serial/TempFolder.h"

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace pellow::test {

namespace fs = std::filesystem;

TempFolder::TempFolder(const std::string& prefix) {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        // A name taken already is not ours: create_directory says so, and the next is tried.
        const fs::path folder =
            fs::temp_directory_path() / (prefix + "-" + std::to_string(random()));
        std::error_code ec;
        if (fs::create_directory(folder, ec)) {
            path_ = folder;
            return;
        }
    }
    throw std::runtime_error("no scratch folder");
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::string FileContents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

} // namespace pellow::test
