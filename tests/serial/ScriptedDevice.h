#pragma once
// A device that plays a script to the reader and the writer, so their algorithms can be
// checked on outcomes a pseudo-terminal cannot produce (line errors, modem changes,
// partial writes, failures). Past the end of its script it waits for the stop event.

#include "serial/OpenSerialDevice.h"
#include "serial/SerialDevice.h"

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <new>
#include <string>
#include <vector>

namespace pellow::test {

struct InputStep {
    InputWake wake = InputWake::ReadDone;
    std::string bytes;   // for ReadDone
    LineEvents events{}; // for LineEvents
};

class ScriptedDevice final : public SerialDevice {
public:
    std::deque<InputStep> input;
    std::size_t writeLimit = 0; // bytes per Write call at most; 0: all
    DeviceStatus writeStatus = DeviceStatus::Ok;
    bool watchFails = false;
    bool applyFails = false; // ApplyTimeouts raises, as an exhausted heap would
    // Runs at the start of every Write, on the writer.
    std::function<void(const EventObject& stop)> onWrite;
    // Every record ApplyLineSettings was given (the owner's thread only).
    std::vector<LineSettings> applied;

    std::string Written() const {
        std::lock_guard lock(mutex_);
        return written_;
    }
    int inputPurges() const { return inputPurges_; }
    int outputPurges() const { return outputPurges_; }
    int waits() const { return waits_; }

    void ApplyLineSettings(const LineSettings& settings) override { applied.push_back(settings); }
    void ApplyTimeouts(const CommTimeouts&) override {
        if (applyFails) {
            throw std::bad_alloc();
        }
    }
    void Purge(bool in, bool out) override {
        inputPurges_ += in ? 1 : 0;
        outputPurges_ += out ? 1 : 0;
    }
    bool WatchLineEvents() override { return !watchFails; }

    InputWake WaitForInput(PendingRead& read, LineEvents& events,
                           const EventObject& stop) override {
        ++waits_;
        if (input.empty()) {
            const EventObject* only[] = {&stop};
            WaitForAnyEvent(only, 1);
            return InputWake::Stopped;
        }
        InputStep step = input.front();
        input.pop_front();
        read.count = step.bytes.copy(read.buffer, read.capacity);
        events = step.events;
        return step.wake;
    }

    WriteResult Write(const char* data, std::size_t length, const EventObject& stop) override {
        if (onWrite) {
            onWrite(stop);
        }
        if (writeStatus != DeviceStatus::Ok) {
            return {writeStatus, 0};
        }
        const std::size_t n = writeLimit != 0 && writeLimit < length ? writeLimit : length;
        std::lock_guard lock(mutex_);
        written_.append(data, n);
        return {DeviceStatus::Ok, n};
    }

private:
    mutable std::mutex mutex_;
    std::string written_;
    std::atomic<int> inputPurges_{0};
    std::atomic<int> outputPurges_{0};
    std::atomic<int> waits_{0};
};

// For TComm: a fresh scripted device at every open, left in `made` while the port is open.
inline TDeviceOpener OpenScripted(ScriptedDevice** made) {
    return [made](const std::string&) {
        auto device = std::make_unique<ScriptedDevice>();
        *made = device.get();
        return device;
    };
}

} // namespace pellow::test
