#include "serial/QueuedNotifyWindow.h"
#include "serial/CommTypes.h"
#include "serial/DataBlock.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using namespace pellow;
using namespace std::chrono_literals;

TEST(QueuedNotifyWindow, DeliversInPostingOrderAcrossPumpsAndThreads) {
    std::vector<std::uintptr_t> seen;
    QueuedNotifyWindow window(
        [&](std::uint32_t, std::uintptr_t wParam, std::intptr_t) { seen.push_back(wParam); });
    for (std::uintptr_t i = 0; i < 10; ++i) {
        ASSERT_TRUE(window.Post(PORTMSG_ERROR, i, 0));
    }
    // Stops in the middle of what it took; the rest comes first next time.
    EXPECT_TRUE(window.PumpUntil([&] { return seen.size() == 3; }, 1s));
    EXPECT_EQ(seen.size(), 3u);

    // Posts from a worker, some of them while the owner sleeps.
    std::thread worker([&] {
        for (std::uintptr_t i = 10; i < 20; ++i) {
            window.Post(PORTMSG_ERROR, i, 0);
            std::this_thread::sleep_for(5ms);
        }
    });
    EXPECT_TRUE(window.PumpUntil([&] { return seen.size() == 20; }, 10s));
    worker.join();
    std::vector<std::uintptr_t> expected;
    for (std::uintptr_t i = 0; i < 20; ++i) {
        expected.push_back(i);
    }
    EXPECT_EQ(seen, expected);
}

TEST(QueuedNotifyWindow, ReleasesBlocksItNeverDelivered) {
    const std::size_t before = DataBlocksHeld();
    {
        int delivered = 0;
        QueuedNotifyWindow window([&](std::uint32_t, std::uintptr_t, std::intptr_t lParam) {
            DataBlockFree(DataBlockFromParam(lParam));
            ++delivered;
        });
        for (int i = 0; i < 3; ++i) {
            ASSERT_TRUE(window.Post(PORTMSG_DATA, 1, DataBlockToParam(DataBlockAlloc(1))));
        }
        EXPECT_TRUE(window.PumpUntil([&] { return delivered == 1; }, 1s));
        ASSERT_TRUE(window.Post(PORTMSG_DATA, 1, DataBlockToParam(DataBlockAlloc(1))));
        window.RefusePosts();
        EXPECT_FALSE(window.Post(PORTMSG_SENDEMPTY, 0, 0));
        EXPECT_EQ(DataBlocksHeld(), before + 3);
    }
    EXPECT_EQ(DataBlocksHeld(), before) << "the three left over went with the window";
}
