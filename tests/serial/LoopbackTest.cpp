// The built-in loopback device, driven through TComm as the window drives it.
#include "serial/loop/LoopbackSerialDevice.h"
#include "tests/serial/CommEventLog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <future>
#include <thread>

using namespace pellow;
using namespace pellow::test;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

struct LoopComm : LoggedComm {
    explicit LoopComm(std::uint32_t baudRate = 115200) {
        com->SetCommName(LoopbackPortName);
        com->SetBaudRate(baudRate);
    }

    void Send(const std::string& bytes) {
        ASSERT_TRUE(com->SendBytes(bytes.data(), static_cast<std::uint16_t>(bytes.size())));
    }
    bool ReceiveAtLeast(std::size_t n, std::chrono::milliseconds deadline = 10s) {
        return PumpUntil([&] { return log.Received().size() >= n; }, deadline);
    }
};

// Every byte value, in a scrambled order that differs from one round of 256 to the next.
std::string AllByteValues(std::size_t n) {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i) {
        s[i] = static_cast<char>((i * 167 + i / 256) & 0xFF);
    }
    return s;
}

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The device alone, at 9600 baud, with reads that end as soon as anything has arrived
// or after `readTotal` ms.
std::unique_ptr<SerialDevice> OpenLoopDevice(std::uint32_t readTotal = 300,
                                             std::uint32_t writeTotal = 0) {
    auto device = LoopbackSerialDevice::Open();
    LineSettings line;
    line.baudRate = 9600;
    device->ApplyLineSettings(line);
    CommTimeouts timeouts;
    timeouts.readInterval = 0xFFFFFFFF;
    timeouts.readTotalConstant = readTotal;
    timeouts.writeTotalConstant = writeTotal;
    device->ApplyTimeouts(timeouts);
    return device;
}

std::string ReadOnce(SerialDevice& device, const EventObject& stop) {
    char buffer[ReadChunkSize];
    PendingRead read;
    read.Begin(buffer, sizeof buffer);
    LineEvents events;
    EXPECT_EQ(device.WaitForInput(read, events, stop), InputWake::ReadDone);
    EXPECT_FALSE(events.Any());
    return std::string(buffer, read.count);
}

} // namespace

TEST(Loopback, EchoesEveryByteValueExactlyAndInOrder) {
    LoopComm c;
    c.com->OpenPort();
    const std::string data = AllByteValues(4096);
    ASSERT_NE(data.find('\0'), std::string::npos);
    ASSERT_NE(data.find('\xFF'), std::string::npos);
    // Blocks of several sizes, queued back to back.
    c.Send(data.substr(0, 1));
    c.Send(data.substr(1, 999));
    c.Send(data.substr(1000, 3096));
    ASSERT_TRUE(c.ReceiveAtLeast(data.size()));
    c.window->PumpFor(200ms);
    EXPECT_EQ(c.log.Received(), data);
    EXPECT_EQ(c.log.hangups, 0);
    EXPECT_TRUE(c.log.errors.empty());
    EXPECT_TRUE(c.log.modemEvents.empty());
}

TEST(Loopback, DropsNullCharsWhenTheLineIgnoresThem) {
    LoopComm c;
    c.com->SetIgnoreNullChar(true);
    c.com->OpenPort();
    c.Send(std::string("a\0b\0\0c", 6));
    ASSERT_TRUE(c.ReceiveAtLeast(3));
    c.window->PumpFor(200ms);
    EXPECT_EQ(c.log.Received(), "abc");
}

TEST(Loopback, EchoTakesTenBitsPerByteAtTheCurrentRate) {
    struct Case {
        std::uint32_t rateAtOpen;
        std::uint32_t rateWhileOpen; // re-applied to the open port before sending
        std::size_t bytes;           // one second's worth at rateWhileOpen
    } const cases[] = {
        {9600, 9600, 960},
        {115200, 4800, 480},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k.rateWhileOpen);
        LoopComm c(k.rateAtOpen);
        c.com->OpenPort();
        c.com->SetBaudRate(k.rateWhileOpen);
        const std::string data = AllByteValues(k.bytes);
        const auto start = Clock::now();
        c.Send(data);
        ASSERT_TRUE(c.ReceiveAtLeast(data.size()));
        const double took = SecondsSince(start);
        EXPECT_GE(took, 0.8);
        EXPECT_LT(took, 5.0);
        EXPECT_EQ(c.log.Received(), data);
    }
}

TEST(Loopback, FastStreamIsCutIntoEventsOf2048) {
    LoopComm c(115200);
    // A wide interval keeps a stalled thread on a loaded machine from cutting early.
    c.com->SetReadIntervalTimeout(1000);
    c.com->OpenPort();
    const std::string data = AllByteValues(5000);
    c.Send(data);
    ASSERT_TRUE(c.ReceiveAtLeast(data.size()));
    std::vector<std::size_t> sizes;
    for (const auto& chunk : c.log.chunks) {
        sizes.push_back(chunk.size());
    }
    EXPECT_EQ(sizes, (std::vector<std::size_t>{2048, 2048, 904}));
    EXPECT_EQ(c.log.Received(), data);
}

TEST(Loopback, PauseLongerThanTheIntervalEndsAnEvent) {
    LoopComm c;
    c.com->OpenPort();
    c.Send("0123456789");
    ASSERT_TRUE(c.ReceiveAtLeast(10));
    c.Send("abcdefghij");
    ASSERT_TRUE(c.ReceiveAtLeast(20));
    EXPECT_EQ(c.log.chunks, (std::vector<std::string>{"0123456789", "abcdefghij"}));
}

TEST(Loopback, SendEmptyComesWhenTheLastByteHasGoneRound) {
    LoopComm c(9600);
    c.com->SetReadIntervalTimeout(1000);
    c.com->OpenPort();
    ASSERT_TRUE(c.PumpUntil([&] { return c.log.sendEmpties == 1; }));
    const auto start = Clock::now();
    c.Send(AllByteValues(480)); // half a second's worth
    ASSERT_TRUE(c.PumpUntil([&] { return c.log.sendEmpties == 2; }));
    EXPECT_GE(SecondsSince(start), 0.4);
    ASSERT_TRUE(c.ReceiveAtLeast(480));
    EXPECT_EQ(c.log.order, (std::vector<std::string>{"empty", "empty", "data"}))
        << "the echo is read only after the interval that follows its last byte";
}

TEST(Loopback, ClosingDropsWhatWasNotYetEchoed) {
    LoopComm c(9600);
    c.com->OpenPort();
    c.Send(AllByteValues(9600)); // ten seconds' worth
    c.window->PumpFor(300ms);
    const auto closing = Clock::now();
    c.com->ClosePort();
    EXPECT_LT(SecondsSince(closing), 2.0) << "the writer stops in the middle of the block";
    c.window->PumpFor(100ms);
    EXPECT_LT(c.log.Received().size(), 9600u);

    c.log = CommEventLog{};
    c.com->OpenPort();
    c.window->PumpFor(500ms);
    EXPECT_TRUE(c.log.chunks.empty());
    c.Send("fresh");
    ASSERT_TRUE(c.ReceiveAtLeast(5));
    EXPECT_EQ(c.log.Received(), "fresh");
}

TEST(Loopback, HeldByOnePortAtATime) {
    LoopComm first;
    LoopComm second;
    first.com->OpenPort();
    EXPECT_EQ(OpenFailure(*second.com), "Error opening serial port");
    EXPECT_FALSE(second.com->PortOpen());
    EXPECT_EQ(OpenFailure(*first.com), "This serial port already opened");

    first.com->ClosePort();
    EXPECT_EQ(OpenFailure(*second.com), "");
    EXPECT_TRUE(second.com->PortOpen());
    second.Send("mine");
    ASSERT_TRUE(second.ReceiveAtLeast(4));
    EXPECT_EQ(second.log.Received(), "mine");
    EXPECT_TRUE(first.log.chunks.empty());
}

TEST(Loopback, DestroyingAnOpenPortLetsTheDeviceGo) {
    {
        LoopComm held;
        held.com->OpenPort();
    }
    LoopComm next;
    EXPECT_EQ(OpenFailure(*next.com), "");
}

TEST(LoopbackDevice, PurgesDropUnsentOutputAndUnreadInput) {
    auto device = OpenLoopDevice();
    CloseEvent stop;
    const std::string data = AllByteValues(9600); // ten seconds' worth
    auto writing = std::async(std::launch::async,
                              [&] { return device->Write(data.data(), data.size(), stop); });
    const std::string first = ReadOnce(*device, stop);
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first, data.substr(0, first.size()));

    std::this_thread::sleep_for(100ms);
    device->Purge(false, true);
    ASSERT_EQ(writing.wait_for(5s), std::future_status::ready);
    const WriteResult written = writing.get();
    EXPECT_EQ(written.status, DeviceStatus::Ok);
    EXPECT_EQ(written.written, data.size()) << "purged bytes count as handed over";

    device->Purge(true, false);
    EXPECT_EQ(ReadOnce(*device, stop), "") << "only the total timeout ends the read";
}

TEST(LoopbackDevice, WriteTimeoutsEndAWriteWithWhatWentThrough) {
    auto device = OpenLoopDevice(300, 200);
    CloseEvent stop;
    const std::string data = AllByteValues(9600);
    const WriteResult written = device->Write(data.data(), data.size(), stop);
    EXPECT_EQ(written.status, DeviceStatus::Ok);
    EXPECT_GT(written.written, 0u);
    EXPECT_LT(written.written, data.size());
}

TEST(LoopbackDevice, StopEndsAWriteAndAWait) {
    auto device = OpenLoopDevice();
    CloseEvent stop;
    const std::string data = AllByteValues(9600);
    auto writing = std::async(std::launch::async,
                              [&] { return device->Write(data.data(), data.size(), stop); });
    device->ApplyTimeouts(CommTimeouts{0, 0, 0, 0, 0}); // only a full buffer ends a read
    auto waiting = std::async(std::launch::async, [&] {
        char buffer[16];
        PendingRead read;
        LineEvents events;
        InputWake wake;
        // Reads fill up while the echo flows; the one under way at the stop ends with it.
        do {
            read.Begin(buffer, sizeof buffer);
            wake = device->WaitForInput(read, events, stop);
        } while (wake == InputWake::ReadDone);
        return wake;
    });
    std::this_thread::sleep_for(200ms);
    stop.Set();
    ASSERT_EQ(writing.wait_for(5s), std::future_status::ready);
    EXPECT_EQ(writing.get().status, DeviceStatus::Stopped);
    ASSERT_EQ(waiting.wait_for(5s), std::future_status::ready);
    EXPECT_EQ(waiting.get(), InputWake::Stopped);
}
