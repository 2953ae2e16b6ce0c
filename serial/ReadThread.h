#pragma once
// TReadThread: receives for an open port. Keeps one read outstanding on the device,
// posts each completed read as PORTMSG_DATA, line errors and modem changes as
// PORTMSG_ERROR / PORTMSG_MODEM, and PORTMSG_HANGUP when the device fails.

#include "serial/EventObject.h"
#include "serial/NotifyWindow.h"
#include "serial/SerialDevice.h"

#include <cstddef>
#include <thread>

namespace pellow {

class TReadThread {
public:
    // Uses the three, never closes them; they outlive the thread.
    TReadThread(SerialDevice& port, const EventObject& closeEvent, TNotifyWindow& notifyWindow);
    // Waits until the thread has ended.
    ~TReadThread();
    TReadThread(const TReadThread&) = delete;
    TReadThread& operator=(const TReadThread&) = delete;

    // Throws std::system_error when the thread cannot be created.
    void Start();

private:
    void Execute();
    bool DeliverBytes(const char* bytes, std::size_t count);
    bool ReportCommEvents(const LineEvents& events);
    void SignalHangup();

    SerialDevice& port_;
    const EventObject& closeEvent_;
    TNotifyWindow& notifyWindow_;
    std::thread thread_;
};

} // namespace pellow
