#include "serial/loop/LoopbackSerialDevice.h"

#include "serial/DeviceTimeouts.h"
#include "serial/ECommsError.h"
#include "serial/NullChars.h"

#include <algorithm>
#include <cmath>

namespace pellow {

namespace {

using Clock = std::chrono::steady_clock;

// A start bit, eight data bits and a stop bit.
constexpr double BitsPerByte = 10.0;
// Bytes go round in slices this long, so the far end sees a steady stream rather than
// whole blocks at once.
constexpr std::chrono::milliseconds Slice{4};

// The one loopback device of the process: true while an open port holds it.
std::atomic<bool> deviceHeld{false};

} // namespace

std::unique_ptr<SerialDevice> LoopbackSerialDevice::Open() {
    bool expected = false;
    if (!deviceHeld.compare_exchange_strong(expected, true)) {
        throw ECommsError("Error opening serial port");
    }
    try {
        return std::unique_ptr<SerialDevice>(new LoopbackSerialDevice);
    } catch (...) {
        // No event or no memory: the device stays free for the next attempt.
        deviceHeld = false;
        throw ECommsError("Error opening serial port");
    }
}

LoopbackSerialDevice::~LoopbackSerialDevice() {
    deviceHeld = false;
}

void LoopbackSerialDevice::ApplyLineSettings(const LineSettings& settings) {
    // A rate of 0 would stop the line for good; like a device refusing it, keep the old one.
    if (settings.baudRate != 0) {
        baudRate_ = settings.baudRate;
    }
    ignoreNullChar_ = settings.ignoreNullChar;
}

void LoopbackSerialDevice::ApplyTimeouts(const CommTimeouts& timeouts) {
    timeouts_.Store(timeouts);
}

void LoopbackSerialDevice::Purge(bool input, bool output) {
    if (input) {
        std::lock_guard lock(mutex_);
        echoed_.clear();
    }
    if (output) {
        ++outputPurges_;
    }
}

bool LoopbackSerialDevice::WatchLineEvents() {
    return true;
}

void LoopbackSerialDevice::Echo(const char* data, std::size_t count) {
    {
        std::lock_guard lock(mutex_);
        echoed_.insert(echoed_.end(), data, data + count);
    }
    echoArrived_.Set();
}

std::size_t LoopbackSerialDevice::TakeEchoed(char* into, std::size_t room) {
    std::size_t taken = 0;
    {
        std::lock_guard lock(mutex_);
        taken = std::min(room, echoed_.size());
        std::copy_n(echoed_.begin(), taken, into);
        echoed_.erase(echoed_.begin(), echoed_.begin() + static_cast<std::ptrdiff_t>(taken));
    }
    return ignoreNullChar_ ? DropNullChars(into, taken) : taken;
}

InputWake LoopbackSerialDevice::WaitForInput(PendingRead& read, LineEvents&,
                                             const EventObject& stop) {
    for (;;) {
        if (stop.IsSet()) {
            return InputWake::Stopped;
        }
        // Reset before looking, so an echo that lands after the look still wakes the wait.
        echoArrived_.Reset();
        const std::size_t kept = TakeEchoed(read.buffer + read.count, read.capacity - read.count);
        if (kept > 0) {
            read.count += kept;
            read.lastByte = Clock::now();
        }
        const ReadCompletion completion = CheckReadCompletion(read, timeouts_.Load(), Clock::now());
        if (completion.done) {
            return InputWake::ReadDone;
        }
        const EventObject* events[] = {&stop, &echoArrived_};
        switch (WaitForAnyEventUntil(events, 2, completion.wakeBy)) {
        case 0:
            return InputWake::Stopped;
        case 1:
        case EventWaitTimedOut:
            break;
        default:
            // Bytes already gathered are delivered before the failure is reported.
            return read.count > 0 ? InputWake::ReadDone : InputWake::Failed;
        }
    }
}

WriteResult LoopbackSerialDevice::Write(const char* data, std::size_t length,
                                        const EventObject& stop) {
    WriteResult result;
    const auto begun = Clock::now();
    const auto deadline = WriteDeadline(timeouts_.Load(), length, begun);
    const std::uint64_t purges = outputPurges_;
    auto last = begun;
    double credit = 0; // bytes the line has had time for and not yet carried

    while (result.written < length) {
        if (outputPurges_ != purges) {
            // Like a flushed output queue: handed over, never sent.
            result.written = length;
            break;
        }
        const auto now = Clock::now();
        // Read at every slice, so a new rate applies to the rest of the block.
        const double bytesPerSecond = baudRate_ / BitsPerByte;
        credit += std::chrono::duration<double>(now - last).count() * bytesPerSecond;
        last = now;
        const auto due = std::min(length - result.written, static_cast<std::size_t>(credit));
        if (due > 0) {
            Echo(data + result.written, due);
            result.written += due;
            credit -= static_cast<double>(due);
            if (result.written == length) {
                break;
            }
        }
        if (deadline && now >= *deadline) {
            return result; // the write timeouts ran out: Ok with what went through
        }

        // Wake for the next slice, or later when the next byte takes longer than that.
        const auto nextByte = std::chrono::duration_cast<Clock::duration>(
            std::chrono::duration<double>((1.0 - credit) / bytesPerSecond));
        std::optional<Clock::time_point> wake = now + std::max<Clock::duration>(Slice, nextByte);
        if (deadline) {
            Earliest(wake, *deadline);
        }
        const EventObject* events[] = {&stop};
        switch (WaitForAnyEventUntil(events, 1, wake)) {
        case 0:
            result.status = DeviceStatus::Stopped;
            return result;
        case EventWaitTimedOut:
            break;
        default:
            result.status = DeviceStatus::Failed;
            return result;
        }
    }
    return result;
}

} // namespace pellow
