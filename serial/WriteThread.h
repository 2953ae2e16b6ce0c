#pragma once
// TWriteThread: transmits for an open port. Takes the blocks SendBytes queued, one at a
// time in order, writes each completely, releases it, and posts PORTMSG_SENDEMPTY when
// the queue runs dry after writing (and once at start).

#include "serial/PortThread.h"
#include "serial/WriterQueue.h"

#include <cstddef>

namespace pellow {

class TWriteThread final : public TPortThread {
public:
    // Throws std::system_error when its queue cannot be created.
    using TPortThread::TPortThread;
    ~TWriteThread() override { WaitFor(); }

    // Any thread; false when the queue is full or the writer has ended.
    bool Post(const QueuedMessage& message) { return queue_.Post(message); }

private:
    void Execute() override;
    bool Run();
    bool WriteBlock(const char* data, std::size_t length);

    WriterQueue queue_;
};

} // namespace pellow
