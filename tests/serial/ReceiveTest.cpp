#include "serial/DataBlock.h"
#include "tests/serial/LineComm.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>

using namespace pellow;
using namespace pellow::test;
using namespace std::chrono_literals;

TEST(Receive, ContinuousStreamArrivesInChunksOfAtMost2048) {
    LineComm c;
    c.com->OpenPort();
    const std::string data = Pattern(5000);
    c.line.Write(data);
    ASSERT_TRUE(c.PumpUntil([&] { return c.log.Received().size() >= data.size(); }));
    ASSERT_EQ(c.log.chunks.size(), 3u);
    EXPECT_EQ(c.log.chunks[0].size(), 2048u);
    EXPECT_EQ(c.log.chunks[1].size(), 2048u);
    EXPECT_EQ(c.log.chunks[2].size(), 904u);
    EXPECT_EQ(c.log.Received(), data);
}

TEST(Receive, PauseLongerThanTheIntervalEndsAnEvent) {
    LineComm c;
    c.com->OpenPort();
    c.line.Write("0123456789");
    std::this_thread::sleep_for(300ms);
    c.line.Write("abcdefghij");
    ASSERT_TRUE(c.PumpUntil([&] { return c.log.Received().size() >= 20; }));
    c.window->PumpFor(200ms);
    EXPECT_EQ(c.log.chunks, (std::vector<std::string>{"0123456789", "abcdefghij"}));
}

TEST(Receive, ShorterPausesGatherIntoOneEvent) {
    LineComm c;
    // A wide interval keeps this independent of how late a loaded machine wakes us.
    c.com->SetReadIntervalTimeout(1000);
    c.com->OpenPort();
    c.line.Write("0123456789");
    std::this_thread::sleep_for(50ms);
    c.line.Write("abcdefghij");
    ASSERT_TRUE(c.PumpUntil([&] { return c.log.Received().size() >= 20; }));
    EXPECT_EQ(c.log.chunks, (std::vector<std::string>{"0123456789abcdefghij"}));
}

TEST(Receive, TotalTimeoutEndsAReadWithoutAnInterval) {
    LineComm c;
    c.com->SetReadIntervalTimeout(0); // alone, this would wait for 2048 bytes
    c.com->SetReadTotalTimeoutConstant(300);
    c.com->OpenPort();
    c.line.Write("short");
    ASSERT_TRUE(c.PumpUntil([&] { return !c.log.chunks.empty(); }));
    EXPECT_EQ(c.log.chunks.front(), "short");
}

TEST(Receive, ChangedIntervalAppliesToTheOpenPort) {
    LineComm c;
    c.com->OpenPort();
    c.com->SetReadIntervalTimeout(1000);
    c.line.Write("ab");
    std::this_thread::sleep_for(300ms);
    c.line.Write("cd");
    ASSERT_TRUE(c.PumpUntil([&] { return c.log.Received().size() >= 4; }));
    EXPECT_EQ(c.log.chunks, (std::vector<std::string>{"abcd"}));
}

TEST(Receive, NullBytesAreDroppedWhenAskedTo) {
    LineComm c;
    c.com->SetIgnoreNullChar(true);
    c.com->OpenPort();
    c.line.Write(std::string("a\0b\0\0c", 6));
    ASSERT_TRUE(c.PumpUntil([&] { return c.log.Received().size() >= 3; }));
    c.window->PumpFor(200ms);
    EXPECT_EQ(c.log.Received(), "abc");
}

TEST(Receive, FarEndGoneRequestsHangupAfterTheLastBytes) {
    LineComm c;
    c.com->SetReadIntervalTimeout(5000); // the bytes stay in the reader's unfinished read
    c.com->OpenPort();
    c.line.Write("last words");
    std::this_thread::sleep_for(500ms);
    if (!c.line.HangUp()) {
        GTEST_SKIP() << "the line here is a relay that outlives its far end";
    }
    ASSERT_TRUE(c.PumpUntil([&] { return c.log.hangups > 0; }));
    c.window->PumpFor(200ms);
    EXPECT_EQ(c.log.hangups, 1);
    EXPECT_EQ(c.log.Received(), "last words") << "what was read is delivered first";
    const auto data = std::find(c.log.order.begin(), c.log.order.end(), "data");
    const auto hangup = std::find(c.log.order.begin(), c.log.order.end(), "hangup");
    EXPECT_LT(data, hangup);
    EXPECT_TRUE(c.com->PortOpen()) << "the owner decides whether to close";
    c.com->ClosePort();
}

TEST(Receive, QuietLineIsNoHangup) {
    LineComm c;
    c.com->OpenPort();
    c.window->PumpFor(300ms);
    EXPECT_EQ(c.log.hangups, 0);
}

TEST(Receive, CloseWhileBytesArriveRaisesNoHangup) {
    LineComm c;
    c.com->OpenPort();
    std::atomic<bool> stop{false};
    std::thread far([&] {
        const std::string burst = Pattern(512);
        while (!stop) {
            c.line.WriteSome(burst.data(), burst.size(), 20ms);
        }
    });
    c.window->PumpFor(200ms);
    c.com->ClosePort();
    stop = true;
    far.join();
    c.window->PumpFor(200ms);
    EXPECT_EQ(c.log.hangups, 0);
    EXPECT_FALSE(c.log.chunks.empty());
    for (const auto& chunk : c.log.chunks) {
        EXPECT_GT(chunk.size(), 0u);
        EXPECT_LE(chunk.size(), 2048u);
    }
}

TEST(Receive, BlocksWithoutAHandlerOrNeverDeliveredAreReleased) {
    const std::size_t before = DataBlocksHeld();
    // Nothing is delivered while the test does not pump, so a block read waits in the
    // window's queue.
    const auto blockQueued = [&] {
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (DataBlocksHeld() == before && std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(10ms);
        }
        return DataBlocksHeld() > before;
    };
    {
        LineComm c;
        c.com->OnReceiveData = nullptr;
        c.com->OpenPort();
        c.line.Write("nobody listens");
        ASSERT_TRUE(blockQueued());
        EXPECT_TRUE(c.PumpUntil([&] { return DataBlocksHeld() == before; }))
            << "delivered with no handler, and released";
        c.line.Write("never pumped");
        ASSERT_TRUE(blockQueued());
        c.com->ClosePort();
    }
    EXPECT_EQ(DataBlocksHeld(), before) << "released with the window that never delivered it";
}

TEST(Receive, BytesTheLineHeldBeforeOpeningAreDiscarded) {
    LineComm c;
    c.line.MakeRaw();
    c.line.Write("stale");
    // Gives the bytes time to reach the line's input queue; the open must then empty it.
    std::this_thread::sleep_for(100ms);
    c.com->OpenPort();
    c.line.Write("fresh");
    ASSERT_TRUE(c.PumpUntil([&] { return c.log.Received().size() >= 5; }));
    c.window->PumpFor(200ms);
    EXPECT_EQ(c.log.Received(), "fresh");
}
