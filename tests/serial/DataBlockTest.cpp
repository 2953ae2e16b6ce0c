#include "serial/DataBlock.h"

#include <gtest/gtest.h>

using namespace pellow;

TEST(DataBlock, IsZeroFilledWithATrailingZero) {
    char* block = DataBlockAlloc(16);
    ASSERT_NE(block, nullptr);
    for (int i = 0; i <= 16; ++i) {
        EXPECT_EQ(block[i], 0);
    }
    DataBlockFree(block);
}
