#include "serial/win32/DeviceName.h"

#include <gtest/gtest.h>

using namespace pellow;

TEST(Win32DeviceName, ComPortsGoThroughTheDeviceNamespaceAnythingElseAsTyped) {
    const struct {
        const char* typed;
        const char* opened;
    } cases[] = {
        {"COM1", R"(\\.\COM1)"},
        {"COM10", R"(\\.\COM10)"},
        {"com256", R"(\\.\com256)"},
        {R"(\\.\COM12)", R"(\\.\COM12)"},
        {"COM", "COM"},
        {"COM1:", "COM1:"},
        {"COMX", "COMX"},
        {"XCOM1", "XCOM1"},
        {"LPT1", "LPT1"},
        {"loop://", "loop://"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Win32DeviceName(c.typed), c.opened) << c.typed;
    }
}
