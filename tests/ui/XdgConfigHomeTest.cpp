#include "ui/qt/XdgConfigHome.h"

#include <gtest/gtest.h>

#include <map>

namespace pellow {
namespace {

std::string ConfigHomeWith(const std::map<std::string, std::string>& env) {
    return XdgConfigHome([&env](const char* name) -> std::optional<std::string> {
               const auto it = env.find(name);
               return it == env.end() ? std::nullopt : std::optional<std::string>(it->second);
           })
        .string();
}

TEST(XdgConfigHomeTest, AbsoluteXdgConfigHomeElseDotConfigInHome) {
    EXPECT_EQ(ConfigHomeWith({{"HOME", "/h"}}), "/h/.config");
    EXPECT_EQ(ConfigHomeWith({{"HOME", "/h"}, {"XDG_CONFIG_HOME", "/cfg"}}), "/cfg");
    EXPECT_EQ(ConfigHomeWith({{"HOME", "/h"}, {"XDG_CONFIG_HOME", ""}}), "/h/.config");
    EXPECT_EQ(ConfigHomeWith({{"HOME", "/h"}, {"XDG_CONFIG_HOME", "cfg"}}), "/h/.config");
}

} // namespace
} // namespace pellow
