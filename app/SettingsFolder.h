#pragma once
// Where "Tarvik.ini" lives: beside the executable, as it always has, unless that folder
// cannot be written; then in the user's configuration folder ($XDG_CONFIG_HOME/Pellow,
// by default ~/.config/Pellow). A file beside the executable that can be written wins.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace pellow {

struct SettingsFolderQuery {
    std::filesystem::path ExecutableFolder;
    // The environment; returns nothing for an unset variable.
    std::function<std::optional<std::string>(const char* name)> Env;
    // Whether the path may be written by us (a folder: files may be created in it).
    std::function<bool(const std::filesystem::path&)> Writable;
};

std::filesystem::path ChooseSettingsFolder(const SettingsFolderQuery& query);

// The query for this process: its environment and access(2).
SettingsFolderQuery SystemSettingsFolderQuery(const std::filesystem::path& executableFolder);

} // namespace pellow
