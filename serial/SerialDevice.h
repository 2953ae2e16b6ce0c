#pragma once
// The one seam between the reader/writer algorithms and an operating system's device.
// Each kind of device (a POSIX terminal now; a built-in loopback or another platform's
// port later) implements this interface; the algorithms never know which one runs.
//
// Threads: ApplyLineSettings and ApplyTimeouts run on the owner's GUI thread, Purge on
// any thread, WatchLineEvents, WaitForInput and EndReading on the reader only, Write on
// the writer only. They may run at the same time; an implementation keeps what they share
// safe.

#include "serial/EventObject.h"
#include "serial/LineSettings.h"

#include <chrono>
#include <cstddef>
#include <cstdint>

namespace pellow {

enum class DeviceStatus {
    Ok,
    Stopped,       // the stop event was set; nothing is reported
    InvalidHandle, // the device is no longer usable as such; end quietly
    Failed,        // the device failed or went away; ask the owner to hang up
};

// The reader's one outstanding read: bytes gather in buffer until the read completes.
struct PendingRead {
    char* buffer = nullptr;
    std::size_t capacity = 0;
    std::size_t count = 0;
    std::chrono::steady_clock::time_point started{};
    std::chrono::steady_clock::time_point lastByte{};

    void Begin(char* into, std::size_t size) {
        buffer = into;
        capacity = size;
        count = 0;
        started = std::chrono::steady_clock::now();
    }
};

// Line events seen since the last report: CE_ error flags and MODEM_EVENT_ bits.
struct LineEvents {
    std::uint32_t errors = 0;
    std::uint32_t modem = 0;
    bool Any() const { return errors != 0 || modem != 0; }
};

enum class InputWake {
    Stopped,    // the stop event is set (wins over everything else)
    LineEvents, // line events are ready; the read stays outstanding
    ReadDone,   // the read completed; read.count bytes are in read.buffer
    InvalidHandle,
    Failed,
};

struct WriteResult {
    DeviceStatus status = DeviceStatus::Ok;
    std::size_t written = 0;
};

class SerialDevice {
public:
    virtual ~SerialDevice() = default;

    // Carries every setting onto the device; a setting it refuses is left as it was.
    virtual void ApplyLineSettings(const LineSettings& settings) = 0;
    virtual void ApplyTimeouts(const CommTimeouts& timeouts) = 0;
    // Discards unread input and/or unsent output; an outstanding wait is not disturbed.
    virtual void Purge(bool input, bool output) = 0;

    // Starts watching carrier, ring and line errors; false when that cannot be set up.
    virtual bool WatchLineEvents() = 0;
    // Waits until the stop event is set, line events are pending or the read completes
    // under the read timeouts. A read never completes empty unless a total timeout ran out.
    virtual InputWake WaitForInput(PendingRead& read, LineEvents& events,
                                   const EventObject& stop) = 0;

    // Reader only, as it ends, after its input purge: from then on nothing the device began
    // for WaitForInput is outstanding, so the read's buffer may go. Devices whose waits
    // leave nothing outstanding between calls have nothing to do here.
    virtual void EndReading() {}

    // Writes until all bytes are out, the write timeouts run out (Ok with fewer bytes),
    // the stop event is set or the device fails. Nothing it began is outstanding on the
    // bytes once it returns, since the writer releases them next.
    virtual WriteResult Write(const char* data, std::size_t length, const EventObject& stop) = 0;
};

} // namespace pellow
