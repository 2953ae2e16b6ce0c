#include "tests/serial/LineComm.h"

#include <gtest/gtest.h>

#include <thread>

using namespace pellow;
using namespace pellow::test;
using namespace std::chrono_literals;

TEST(Send, OneSendEmptyAfterOpen) {
    LineComm c;
    c.com->OpenPort();
    ASSERT_TRUE(c.PumpUntil([&] { return c.log.sendEmpties == 1; }));
    c.window->PumpFor(300ms);
    EXPECT_EQ(c.log.sendEmpties, 1);
}

TEST(Send, NothingToQueueIsFalse) {
    LineComm c;
    EXPECT_FALSE(c.com->SendBytes("x", 1)) << "closed port";
    c.com->OpenPort();
    EXPECT_FALSE(c.com->SendBytes("x", 0));
    c.com->ClosePort();
    EXPECT_FALSE(c.com->SendBytes("x", 1));
}

TEST(Send, BlocksArriveWholeInOrderFollowedByOneSendEmpty) {
    LineComm c;
    c.com->OpenPort();
    ASSERT_TRUE(c.PumpUntil([&] { return c.log.sendEmpties == 1; }));
    // The first block is larger than the line can buffer, so the next two queue up
    // behind it while the far end is not reading yet.
    const std::string a = Pattern(30000, 1), b = Pattern(20000, 2), d = Pattern(1000, 3);
    for (const auto* block : {&a, &b, &d}) {
        ASSERT_TRUE(c.com->SendBytes(block->data(), static_cast<std::uint16_t>(block->size())));
    }
    const std::string all = a + b + d;
    EXPECT_EQ(c.line.Read(all.size(), 10s), all);
    ASSERT_TRUE(c.PumpUntil([&] { return c.log.sendEmpties == 2; }));
    c.window->PumpFor(300ms);
    EXPECT_EQ(c.log.sendEmpties, 2);
}

TEST(Send, LargestBlockIsWrittenCompletely) {
    LineComm c;
    c.com->OpenPort();
    const std::string block = Pattern(65535, 5);
    ASSERT_TRUE(c.com->SendBytes(block.data(), 65535));
    EXPECT_EQ(c.line.Read(block.size(), 10s), block);
}

TEST(Send, CloseWhileHeldOffByXoffIsPromptAndDropsTheQueue) {
    LineComm c;
    c.com->SetOutx_XonXoffFlow(true);
    c.com->OpenPort();
    c.line.Write("\x13");
    c.window->PumpFor(100ms);
    const std::string block = Pattern(60000, 7);
    ASSERT_TRUE(c.com->SendBytes(block.data(), 60000));
    ASSERT_TRUE(c.com->SendBytes("QUEUED", 6));
    c.window->PumpFor(200ms);

    const auto started = std::chrono::steady_clock::now();
    c.com->ClosePort();
    EXPECT_LT(std::chrono::steady_clock::now() - started, 5s);

    const std::string arrived = c.line.ReadUntilQuiet(200ms);
    EXPECT_LT(arrived.size(), block.size());
    EXPECT_EQ(arrived.find("QUEUED"), std::string::npos);
    c.window->PumpFor(200ms);
    EXPECT_EQ(c.log.hangups, 0);
}

TEST(Send, FarEndGoneDuringWritingRequestsHangup) {
    LineComm c;
    c.com->OpenPort();
    if (!c.line.HangUp()) {
        GTEST_SKIP() << "the line here is a relay that outlives its far end";
    }
    c.com->SendBytes("x", 1);
    ASSERT_TRUE(c.PumpUntil([&] { return c.log.hangups > 0; }));
    // The writer ends on the failed write; from then on nothing more is queued.
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (c.com->SendBytes("y", 1) && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(10ms);
    }
    EXPECT_FALSE(c.com->SendBytes("y", 1));
}

TEST(Line, EveryByteValueCrossesBothWaysUnchanged) {
    std::string all(512, '\0');
    for (std::size_t i = 0; i < all.size(); ++i) {
        all[i] = static_cast<char>(i * 167 & 0xFF); // each value twice, scrambled
    }
    LineComm c;
    c.com->OpenPort();
    ASSERT_TRUE(c.com->SendBytes(all.data(), static_cast<std::uint16_t>(all.size())));
    EXPECT_EQ(c.line.Read(all.size(), 10s), all);

    c.line.Write(all);
    ASSERT_TRUE(c.PumpUntil([&] { return c.log.Received().size() >= all.size(); }));
    c.window->PumpFor(200ms);
    EXPECT_EQ(c.log.Received(), all);
}
