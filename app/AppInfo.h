#pragma once

namespace pellow {

inline constexpr const char* ApplicationTitle = "Pellow";
inline constexpr const char* ApplicationVersion = "1.1";
inline constexpr const char* WindowCaption = "Pellow V1.1";
inline constexpr const char* SettingsFileName = "Tarvik.ini";

} // namespace pellow
