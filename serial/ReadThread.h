#pragma once
// TReadThread: receives for an open port. Keeps one read outstanding on the device,
// posts each completed read as PORTMSG_DATA, line errors and modem changes as
// PORTMSG_ERROR / PORTMSG_MODEM, and PORTMSG_HANGUP when the device fails.

#include "serial/PortThread.h"

#include <cstddef>

namespace pellow {

class TReadThread final : public TPortThread {
public:
    using TPortThread::TPortThread;
    ~TReadThread() override { WaitFor(); }

private:
    void Execute() override;
    bool DeliverBytes(const char* bytes, std::size_t count);
    bool ReportCommEvents(const LineEvents& events);
};

} // namespace pellow
