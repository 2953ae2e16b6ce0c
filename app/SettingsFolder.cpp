#include "app/SettingsFolder.h"

#include "app/AppInfo.h"

#include <cstdlib>
#include <unistd.h>

namespace pellow {

namespace fs = std::filesystem;

fs::path ChooseSettingsFolder(const SettingsFolderQuery& query) {
    const fs::path besideExecutable = query.ExecutableFolder / SettingsFileName;
    std::error_code ec;
    if (fs::exists(besideExecutable, ec)) {
        if (query.Writable(besideExecutable) && query.Writable(query.ExecutableFolder)) {
            return query.ExecutableFolder;
        }
    } else if (query.Writable(query.ExecutableFolder)) {
        return query.ExecutableFolder;
    }
    const auto configHome = query.Env("XDG_CONFIG_HOME");
    if (configHome && !configHome->empty() && fs::path(*configHome).is_absolute()) {
        return fs::path(*configHome) / ApplicationTitle;
    }
    const auto home = query.Env("HOME");
    return fs::path(home.value_or("")) / ".config" / ApplicationTitle;
}

void PrepareUserSettingsFolder(const fs::path& executableFolder, const fs::path& userFolder) {
    std::error_code ec;
    fs::create_directories(userFolder, ec);
    const fs::path old = executableFolder / SettingsFileName;
    const fs::path now = userFolder / SettingsFileName;
    if (!fs::exists(now, ec) && fs::is_regular_file(old, ec)) {
        fs::copy_file(old, now, ec);
    }
}

SettingsFolderQuery SystemSettingsFolderQuery(const fs::path& executableFolder) {
    SettingsFolderQuery query;
    query.ExecutableFolder = executableFolder;
    query.Env = [](const char* name) -> std::optional<std::string> {
        const char* value = std::getenv(name);
        return value ? std::optional<std::string>(value) : std::nullopt;
    };
    query.Writable = [](const fs::path& path) { return ::access(path.c_str(), W_OK) == 0; };
    return query;
}

} // namespace pellow
