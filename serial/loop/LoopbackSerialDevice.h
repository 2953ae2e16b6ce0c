#pragma once
// The built-in loopback device "loop://": a line whose far end sends every byte straight
// back, so the program can be tried with no hardware. Each byte takes as long as on a
// real wire (10 bits at the current rate) and becomes readable once it is through.
// There is one such device in the process, held by one open port at a time.

#include "serial/EventObject.h"
#include "serial/SerialDevice.h"
#include "serial/SharedTimeouts.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>

namespace pellow {

inline constexpr char LoopbackPortName[] = "loop://";

class LoopbackSerialDevice final : public SerialDevice {
public:
    // Raises ECommsError("Error opening serial port") while the device is held elsewhere.
    static std::unique_ptr<SerialDevice> Open();
    // Lets the device go; whatever was not yet echoed goes with it.
    ~LoopbackSerialDevice() override;

    // Only the rate and null-character dropping change what the line does; the rest is
    // kept, and the modem lines are not there to drive.
    void ApplyLineSettings(const LineSettings& settings) override;
    void ApplyTimeouts(const CommTimeouts& timeouts) override;
    void Purge(bool input, bool output) override;
    // A looped-back wire has no carrier, ring or line errors to report.
    bool WatchLineEvents() override;
    InputWake WaitForInput(PendingRead& read, LineEvents& events, const EventObject& stop) override;
    // Returns once the last byte has gone round the loop.
    WriteResult Write(const char* data, std::size_t length, const EventObject& stop) override;

private:
    LoopbackSerialDevice() = default;

    void Echo(const char* data, std::size_t count);
    std::size_t TakeEchoed(char* into, std::size_t room);

    // Written by the GUI thread, read by the workers.
    std::atomic<std::uint32_t> baudRate_{LineSettings{}.baudRate};
    std::atomic<bool> ignoreNullChar_{false};
    SharedTimeouts timeouts_;
    // Counts output purges; a write in progress drops its untransmitted rest on a change.
    std::atomic<std::uint64_t> outputPurges_{0};

    // Bytes through the loop and not yet read, shared by writer, reader and purges.
    std::mutex mutex_;
    std::deque<char> echoed_;
    EventObject echoArrived_; // set after bytes are added, reset by the reader before it looks
};

} // namespace pellow
