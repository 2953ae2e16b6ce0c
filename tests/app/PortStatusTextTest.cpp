#include "app/PortStatusText.h"

#include <gtest/gtest.h>

using namespace pellow;

TEST(PortStatusText, ButtonAndStartupFormsDifferInTheirStateWords) {
    PortBoxTexts boxes{"COM1", "9600", "8", "1", "None"};
    EXPECT_EQ(PortStatusText(boxes, StateOpenedByButton), "Status:COM1 Normal 9600bps, 8, 1, None");
    EXPECT_EQ(PortStatusText(boxes, StateClosedByButton), "Status:COM1 Closed 9600bps, 8, 1, None");
    EXPECT_EQ(PortStatusText(boxes, StateOpenedAtStartup),
              "Status:COM1 Normal, 9600bps, 8, 1, None");
    boxes.port = "COM3";
    EXPECT_EQ(PortStatusText(boxes, StateClosedAtStartup),
              "Status:COM3closed, 9600bps, 8, 1, None");
}
