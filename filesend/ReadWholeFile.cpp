#include "filesend/ReadWholeFile.h"

#include "platform/PathText.h"
#include "platform/ReadableFile.h"

namespace pellow {

namespace {

TFileContent Failed(TFileContent::TStatus status, std::string error = {}) {
    TFileContent result;
    result.status = status;
    result.error = std::move(error);
    return result;
}

} // namespace

TFileContent ReadWholeFile(const std::string& path, std::int64_t maxSize) {
    TReadableFile file(PathFromText(path));
    if (!file.IsOpen()) {
        return Failed(TFileContent::TStatus::OpenFailed, file.Error());
    }

    TFileContent result;
    if (const auto size = file.RegularFileSize()) {
        if (*size > static_cast<std::uint64_t>(maxSize)) {
            return Failed(TFileContent::TStatus::TooLarge);
        }
        result.bytes.reserve(static_cast<std::size_t>(*size));
    }

    char chunk[65536];
    for (;;) {
        const std::int64_t got = file.Read(chunk, sizeof chunk);
        if (got < 0) {
            return Failed(TFileContent::TStatus::ReadFailed, file.Error());
        }
        if (got == 0) {
            break;
        }
        if (static_cast<std::int64_t>(result.bytes.size()) + got > maxSize) {
            return Failed(TFileContent::TStatus::TooLarge);
        }
        result.bytes.append(chunk, static_cast<std::size_t>(got));
    }
    return result;
}

} // namespace pellow
