#include "ui/qt/XdgConfigHome.h"

namespace pellow {

std::filesystem::path XdgConfigHome(const EnvironmentLookup& env) {
    const auto configHome = env("XDG_CONFIG_HOME");
    if (configHome && !configHome->empty() && std::filesystem::path(*configHome).is_absolute())
        return *configHome;
    return std::filesystem::path(env("HOME").value_or("")) / ".config";
}

} // namespace pellow
