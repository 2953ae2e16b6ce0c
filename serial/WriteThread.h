#pragma once
// TWriteThread: transmits for an open port. Takes the blocks SendBytes queued, one at a
// time in order, writes each completely, releases it, and posts PORTMSG_SENDEMPTY when
// the queue runs dry after writing (and once at start).

#include "serial/EventObject.h"
#include "serial/NotifyWindow.h"
#include "serial/SerialDevice.h"
#include "serial/WriterQueue.h"

#include <cstddef>
#include <thread>

namespace pellow {

class TWriteThread {
public:
    // Uses the three, never closes them; they outlive the thread. Throws
    // std::system_error when its queue cannot be created.
    TWriteThread(SerialDevice& port, const EventObject& closeEvent, TNotifyWindow& notifyWindow);
    // Waits until the thread has ended.
    ~TWriteThread();
    TWriteThread(const TWriteThread&) = delete;
    TWriteThread& operator=(const TWriteThread&) = delete;

    // Throws std::system_error when the thread cannot be created.
    void Start();

    // Any thread; false when the queue is full or the writer has ended.
    bool Post(const QueuedMessage& message) { return queue_.Post(message); }

private:
    void Execute();
    bool Run();
    bool WriteBlock(const char* data, std::size_t length);
    void SignalHangup();

    SerialDevice& port_;
    const EventObject& closeEvent_;
    TNotifyWindow& notifyWindow_;
    WriterQueue queue_;
    std::thread thread_;
};

} // namespace pellow
