// The reader's and the writer's algorithms on a scripted device.

#include "serial/DataBlock.h"
#include "serial/QueuedNotifyWindow.h"
#include "serial/ReadThread.h"
#include "serial/WriteThread.h"
#include "tests/serial/ScriptedDevice.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

using namespace pellow;
using namespace pellow::test;
using namespace std::chrono_literals;

namespace {

struct Notice {
    std::uint32_t message;
    std::string text; // the bytes of PORTMSG_DATA, else lParam in decimal

    bool operator==(const Notice&) const = default;
};

struct Harness {
    Harness()
        : window([this](std::uint32_t m, std::uintptr_t w, std::intptr_t l) {
              if (m == PORTMSG_DATA) {
                  const DataBlockPtr block(DataBlockFromParam(l));
                  EXPECT_EQ(block.get()[w], '\0') << "the byte after the data is zero";
                  notices.push_back({m, std::string(block.get(), w)});
              } else {
                  notices.push_back({m, std::to_string(l)});
              }
          }) {}

    // Stops and waits for the thread even when a failed assertion left the test early.
    ~Harness() {
        closeEvent.Set();
        thread.reset();
    }

    template <typename T> T& Start() {
        auto made = std::make_unique<T>(device, closeEvent, window);
        T& started = *made;
        thread = std::move(made);
        started.Start();
        return started;
    }

    bool PumpUntilCount(std::size_t n) {
        return window.PumpUntil([&] { return notices.size() >= n; }, 10s);
    }

    ScriptedDevice device;
    CloseEvent closeEvent;
    std::vector<Notice> notices;
    QueuedNotifyWindow window;
    std::unique_ptr<TPortThread> thread;
};

} // namespace

TEST(ReadThread, TurnsCompletionsIntoNoticesInOrder) {
    Harness h;
    h.device.input = {
        {InputWake::LineEvents, "", {CE_FRAME, 0}},
        {InputWake::ReadDone, "abc", {}},
        {InputWake::LineEvents,
         "",
         {CE_BREAK | CE_OVERRUN, MODEM_EVENT_CARRIER | MODEM_EVENT_RING}},
        {InputWake::ReadDone, "", {}}, // an empty completion posts nothing and reads on
        {InputWake::ReadDone, "de", {}},
    };
    TReadThread& reader = h.Start<TReadThread>();
    ASSERT_TRUE(h.PumpUntilCount(5));
    const std::vector<Notice> expected = {
        {PORTMSG_ERROR, "8"},  {PORTMSG_DATA, "abc"}, {PORTMSG_ERROR, "18"},
        {PORTMSG_MODEM, "12"}, {PORTMSG_DATA, "de"},
    };
    EXPECT_EQ(h.notices, expected) << "errors before modem changes, reading goes on";

    h.closeEvent.Set();
    reader.WaitFor();
    h.window.PumpFor(50ms);
    EXPECT_EQ(h.notices.size(), expected.size()) << "a stop posts nothing";
    EXPECT_EQ(h.device.inputPurges(), 1);
}

TEST(ReadThread, EndsOnFailuresWithOrWithoutAHangup) {
    struct Case {
        const char* name;
        std::deque<InputStep> script;
        bool watchFails;
        bool hangup;
    } const cases[] = {
        {"device failed", {{InputWake::Failed, "", {}}}, false, true},
        {"handle invalid", {{InputWake::InvalidHandle, "", {}}}, false, false},
        {"line events cannot be watched", {}, true, true},
        {"event with nothing in it", {{InputWake::LineEvents, "", {}}}, false, true},
    };
    for (const auto& c : cases) {
        Harness h;
        h.device.input = c.script;
        h.device.watchFails = c.watchFails;
        TReadThread& reader = h.Start<TReadThread>();
        reader.WaitFor(); // ends by itself: the close event is never set
        h.window.PumpFor(20ms);
        const std::vector<Notice> hangup = {{PORTMSG_HANGUP, "0"}};
        EXPECT_EQ(h.notices, c.hangup ? hangup : std::vector<Notice>{}) << c.name;
        EXPECT_EQ(h.device.inputPurges(), 1) << c.name;
    }
}

TEST(ReadThread, EndsAfterTheFirstRefusedPost) {
    Harness h;
    h.window.RefusePosts();
    h.device.input = {{InputWake::ReadDone, "lost", {}}, {InputWake::ReadDone, "never", {}}};
    TReadThread& reader = h.Start<TReadThread>();
    reader.WaitFor();
    EXPECT_EQ(h.device.waits(), 1);
    EXPECT_EQ(h.device.input.size(), 1u);
}

TEST(WriteThread, PartialWritesAreFollowedByTheRest) {
    Harness h;
    h.device.writeLimit = 7;
    TWriteThread& writer = h.Start<TWriteThread>();
    ASSERT_TRUE(h.PumpUntilCount(1)); // the empty queue at start
    const std::string text = "a block that takes several partial writes";
    char* block = DataBlockAlloc(text.size());
    std::memcpy(block, text.data(), text.size());
    ASSERT_TRUE(writer.Post({PORTMSG_WRITE, text.size(), DataBlockToParam(block)}));
    ASSERT_TRUE(h.PumpUntilCount(2));
    EXPECT_EQ(h.device.Written(), text);
    EXPECT_EQ(h.notices, (std::vector<Notice>{{PORTMSG_SENDEMPTY, "0"}, {PORTMSG_SENDEMPTY, "0"}}));

    // A message that is not a write is taken and ignored; it reports no empty queue.
    ASSERT_TRUE(writer.Post({PORTMSG_WRITE + 7, 0, 0}));
    h.window.PumpFor(100ms);
    EXPECT_EQ(h.notices.size(), 2u);
    h.closeEvent.Set();
    writer.WaitFor();
    EXPECT_EQ(h.device.outputPurges(), 1);
}

TEST(WriteThread, FailedWriteEndsWithHangupAndRefusesMore) {
    for (const auto status : {DeviceStatus::Failed, DeviceStatus::InvalidHandle}) {
        Harness h;
        h.device.writeStatus = status;
        TWriteThread& writer = h.Start<TWriteThread>();
        ASSERT_TRUE(h.PumpUntilCount(1));
        for (int i = 0; i < 2; ++i) {
            char* block = DataBlockAlloc(4);
            if (!writer.Post({PORTMSG_WRITE, 4, DataBlockToParam(block)})) {
                DataBlockFree(block);
            }
        }
        writer.WaitFor(); // ends by itself; the queued block is released unwritten
        h.window.PumpFor(20ms);
        const bool hangup = status == DeviceStatus::Failed;
        ASSERT_EQ(h.notices.size(), hangup ? 2u : 1u);
        if (hangup) {
            EXPECT_EQ(h.notices[1].message, PORTMSG_HANGUP);
        }
        char* late = DataBlockAlloc(1);
        EXPECT_FALSE(writer.Post({PORTMSG_WRITE, 1, DataBlockToParam(late)}));
        DataBlockFree(late);
    }
}

TEST(ReadThread, StopWinsOverLineEventsAndFailuresTheDeviceHadReady) {
    Harness h;
    // The device reports what it had ready although ClosePort has begun.
    h.device.input = {{InputWake::LineEvents, "", {CE_FRAME, MODEM_EVENT_RING}},
                      {InputWake::Failed, "", {}}};
    h.closeEvent.Set();
    h.Start<TReadThread>().WaitFor();
    h.window.PumpFor(20ms);
    EXPECT_EQ(h.notices, std::vector<Notice>{}) << "no line event, no hang-up";
    EXPECT_EQ(h.device.waits(), 1);
}

TEST(WriteThread, WriteFailingAfterTheStopRequestsNoHangup) {
    Harness h;
    h.device.writeStatus = DeviceStatus::Failed;
    h.device.onWrite = [&](const EventObject&) { h.closeEvent.Set(); }; // ClosePort begins
    TWriteThread& writer = h.Start<TWriteThread>();
    ASSERT_TRUE(h.PumpUntilCount(1));
    char* block = DataBlockAlloc(4);
    ASSERT_TRUE(writer.Post({PORTMSG_WRITE, 4, DataBlockToParam(block)}));
    writer.WaitFor();
    h.window.PumpFor(20ms);
    EXPECT_EQ(h.notices, (std::vector<Notice>{{PORTMSG_SENDEMPTY, "0"}}));
}
