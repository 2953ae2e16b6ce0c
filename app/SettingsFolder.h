#pragma once
// Where "Tarvik.ini" lives: beside the executable, as it always has, unless that folder
// cannot be written; then in the user's configuration folder, in a folder named after the
// program. A file beside the executable that can be written wins.

#include <filesystem>
#include <functional>

namespace pellow {

struct SettingsFolderQuery {
    std::filesystem::path ExecutableFolder;
    // The user's configuration folder (see UserConfigFolder).
    std::filesystem::path UserConfigFolder;
    // Whether the path may be written by us (a folder: files may be created in it).
    std::function<bool(const std::filesystem::path&)> Writable;
};

std::filesystem::path ChooseSettingsFolder(const SettingsFolderQuery& query);

// Creates the user's settings folder when missing and, when it holds no settings file yet,
// copies there the one beside the executable (which could not be written), so that the
// settings kept so far carry over. Failures are left to the first write to report.
void PrepareUserSettingsFolder(const std::filesystem::path& executableFolder,
                               const std::filesystem::path& userFolder);

} // namespace pellow
