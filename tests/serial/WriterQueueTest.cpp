#include "serial/WriterQueue.h"
#include "serial/CommTypes.h"
#include "serial/DataBlock.h"

#include <gtest/gtest.h>

#include <thread>

using namespace pellow;

namespace {

QueuedMessage Block(std::size_t n) {
    return {PORTMSG_WRITE, n, DataBlockToParam(DataBlockAlloc(n))};
}

} // namespace

TEST(WriterQueue, FirstInFirstOut) {
    WriterQueue queue;
    for (std::uintptr_t i = 1; i <= 3; ++i) {
        ASSERT_TRUE(queue.Post({PORTMSG_WRITE + 100, i, 0}));
    }
    for (std::uintptr_t i = 1; i <= 3; ++i) {
        auto m = queue.TryTake();
        ASSERT_TRUE(m);
        EXPECT_EQ(m->wParam, i);
    }
    EXPECT_FALSE(queue.TryTake());
}

TEST(WriterQueue, RefusesWhenFullAndAfterClosing) {
    const std::size_t before = DataBlocksHeld();
    WriterQueue queue(2);
    EXPECT_TRUE(queue.Post(Block(10)));
    EXPECT_TRUE(queue.Post(Block(10)));
    QueuedMessage third = Block(10);
    EXPECT_FALSE(queue.Post(third));
    ReleaseWriterMessage(third);

    queue.CloseAndDiscard();
    EXPECT_EQ(DataBlocksHeld(), before) << "the queued blocks were not released";
    QueuedMessage late = Block(1);
    EXPECT_FALSE(queue.Post(late));
    ReleaseWriterMessage(late);
}

TEST(WriterQueue, WaitWakesOnPostAndCloseWins) {
    WriterQueue queue;
    CloseEvent close;
    std::thread poster([&] { queue.Post({PORTMSG_WRITE + 100, 0, 0}); });
    EXPECT_EQ(queue.WaitForInputOrClose(close), WriterQueue::Wake::Input);
    poster.join();

    close.Set();
    EXPECT_EQ(queue.WaitForInputOrClose(close), WriterQueue::Wake::Close);
}

TEST(WriterQueue, EmptyQueueDoesNotWake) {
    WriterQueue queue;
    CloseEvent close;
    queue.Post({PORTMSG_WRITE + 100, 0, 0});
    ASSERT_TRUE(queue.TryTake());
    ASSERT_FALSE(queue.TryTake());
    // Were the queue still signalling input, the wait would return before the close.
    std::thread closer([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        close.Set();
    });
    EXPECT_EQ(queue.WaitForInputOrClose(close), WriterQueue::Wake::Close);
    closer.join();
}
