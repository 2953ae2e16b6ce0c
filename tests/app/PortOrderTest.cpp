// The order the port list shows names in, on every platform.
#include "app/PortList.h"
#include "ui/ListOrder.h"

#include <gtest/gtest.h>

namespace pellow {
namespace {

TEST(PortOrderTest, NumbersByValueLettersWithoutCaseLoopbackLast) {
    EXPECT_EQ(WithLoopback({"COM10", "com3", "COM2", "COM1"}),
              (std::vector<std::string>{"COM1", "COM2", "com3", "COM10", "loop://"}));
    EXPECT_EQ(WithLoopback({}), std::vector<std::string>{"loop://"});
    EXPECT_EQ(WithLoopback({"/dev/ttyUSB0", "/dev/ttyS10", "/dev/ttyS9"}),
              (std::vector<std::string>{"/dev/ttyS9", "/dev/ttyS10", "/dev/ttyUSB0", "loop://"}));
}

TEST(PortOrderTest, LeadingZerosAndLongNumbersCompareByValueAndTheOrderIsStrict) {
    EXPECT_TRUE(ListOrderLess("COM007", "COM10"));
    EXPECT_TRUE(ListOrderLess("COM99999999999999999999", "COM100000000000000000000"));
    EXPECT_TRUE(ListOrderLess("COM1", "COM1a"));
    EXPECT_TRUE(ListOrderLess("a", "B"));
    // Equal under the order: neither is less, so a sorted list keeps both.
    EXPECT_FALSE(ListOrderLess("COM01", "com1"));
    EXPECT_FALSE(ListOrderLess("com1", "COM01"));
    EXPECT_FALSE(ListOrderLess("COM1", "COM1"));
}

} // namespace
} // namespace pellow
