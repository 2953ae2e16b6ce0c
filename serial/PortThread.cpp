#include "serial/PortThread.h"

#include "serial/CommTypes.h"

namespace pellow {

void TPortThread::SignalHangup() {
    notifyWindow_.Post(PORTMSG_HANGUP, 0, 0);
}

} // namespace pellow
