#pragma once
// The user's configuration folder as the desktop's base directory rules give it:
// $XDG_CONFIG_HOME when it is an absolute path, otherwise ~/.config. Any thread.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace pellow {

// The environment; returns nothing for an unset variable.
using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;

std::filesystem::path XdgConfigHome(const EnvironmentLookup& env);

} // namespace pellow
