#include "receive/SaveFile.h"

#include "platform/FileReplacement.h"
#include "platform/PathText.h"
#include "platform/Process.h"

#include <optional>
#include <stdexcept>
#include <string>

namespace pellow {

std::filesystem::path WriteFileInFirstFolder(const std::vector<std::filesystem::path>& folders,
                                             const std::string& name, std::string_view bytes) {
    return WriteFileInFirstFolder(folders, name, [bytes](const ByteSink& sink) { sink(bytes); });
}

std::filesystem::path WriteFileInFirstFolder(const std::vector<std::filesystem::path>& folders,
                                             const std::string& name,
                                             const std::function<void(const ByteSink&)>& bytes) {
    // The new content's own file, hidden beside the target until it is whole.
    const std::string prefix = "." + name + "." + std::to_string(CurrentProcessId()) + "-";
    const auto tempName = [&prefix](int attempt) {
        return prefix + std::to_string(attempt) + ".part";
    };
    std::optional<std::string> firstError;
    for (const std::filesystem::path& folder : folders) {
        const std::filesystem::path path = folder / PathFromText(name);
        TFileReplacement file(path, tempName);
        if (!file.Created()) {
            if (!firstError)
                firstError = "Cannot create file \"" + PathText(path) + "\". " + file.Error();
            continue;
        }
        bytes([&file](std::string_view piece) { file.Write(piece); });
        if (!file.Commit()) {
            throw std::runtime_error("Cannot write file \"" + PathText(path) + "\". " +
                                     file.Error());
        }
        return path;
    }
    throw std::runtime_error(firstError.value_or("Cannot create file \"" + name + "\"."));
}

} // namespace pellow
