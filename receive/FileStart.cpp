#include "receive/FileStart.h"

#include "filesend/SendFileCheck.h"

#include "platform/PathText.h"
#include "platform/ReadableFile.h"

#include <filesystem>
#include <stdexcept>

namespace pellow {

bool IsExistingFile(const std::string& name) {
    std::error_code error;
    return !name.empty() && std::filesystem::is_regular_file(PathFromText(name), error);
}

TFileStart ReadFileStart(const std::string& path, std::size_t maxBytes) {
    TReadableFile file(PathFromText(path));
    if (!file.IsOpen())
        throw std::runtime_error(OpenFailedMessage(path, file.Error()));
    const std::optional<std::uint64_t> size = file.RegularFileSize();

    TFileStart start{std::string(maxBytes, '\0'), 0};
    std::size_t got = 0;
    while (got < maxBytes) {
        const std::int64_t n = file.Read(start.bytes.data() + got, maxBytes - got);
        if (n < 0)
            throw std::runtime_error("Cannot read file \"" + path + "\". " + file.Error());
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    start.bytes.resize(got);
    // Devices and pipes have no size of their own; what could be read is all there is.
    start.size = size.value_or(got);
    return start;
}

} // namespace pellow
