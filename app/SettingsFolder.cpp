#include "app/SettingsFolder.h"

#include "app/AppInfo.h"

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
    return query.UserConfigFolder / ApplicationTitle;
}

void PrepareUserSettingsFolder(const fs::path& executableFolder, const fs::path& userFolder) {
    std::error_code ec;
    fs::create_directories(userFolder, ec);
    const fs::path old = executableFolder / SettingsFileName;
    const fs::path now = userFolder / SettingsFileName;
    if (!fs::exists(now, ec) && fs::is_regular_file(old, ec)) {
        // The copy is ours to write, whatever kept the old one from being written: a copy
        // of a read-only file would be read-only too.
        if (fs::copy_file(old, now, ec)) {
            fs::permissions(now, fs::perms::owner_write, fs::perm_options::add, ec);
        }
    }
}

} // namespace pellow
