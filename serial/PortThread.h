#pragma once
// What the reader and the writer share: the three values OpenPort hands them (used,
// never closed), a thread that runs Execute once started, and the hang-up request.

#include "serial/EventObject.h"
#include "serial/NotifyWindow.h"
#include "serial/SerialDevice.h"

#include <atomic>
#include <thread>

namespace pellow {

class TPortThread {
public:
    TPortThread(SerialDevice& port, const EventObject& closeEvent, TNotifyWindow& notifyWindow)
        : port_(port), closeEvent_(closeEvent), notifyWindow_(notifyWindow) {}
    // A derived class's destructor calls WaitFor first, so Execute never outlives it.
    virtual ~TPortThread() = default;
    TPortThread(const TPortThread&) = delete;
    TPortThread& operator=(const TPortThread&) = delete;

    // Throws std::system_error when the thread cannot be created.
    void Start() {
        thread_ = std::thread([this] { Execute(); });
    }
    // Waits until the thread has ended; nothing when it never started.
    void WaitFor() {
        if (thread_.joinable()) {
            thread_.join();
        }
    }
    // Any thread. True once this worker has asked its owner to hang up; set before the
    // request is posted, so whoever takes the request sees it set.
    bool HangupRequested() const { return hangupRequested_.load(); }

protected:
    virtual void Execute() = 0;
    // Posts PORTMSG_HANGUP unless the close event is set; whether the post succeeds does
    // not matter any more.
    void SignalHangup();

    SerialDevice& port_;
    const EventObject& closeEvent_;
    TNotifyWindow& notifyWindow_;

private:
    std::atomic<bool> hangupRequested_{false};
    std::thread thread_;
};

} // namespace pellow
