#include "serial/PortThread.h"

#include "serial/CommTypes.h"

namespace pellow {

void TPortThread::SignalHangup() {
    // Once the owner has begun closing, a failure is its doing (an aborted wait, a device
    // going away under the purge), not a reason to ask it to hang up.
    if (!closeEvent_.IsSet()) {
        hangupRequested_ = true;
        notifyWindow_.Post(PORTMSG_HANGUP, 0, 0);
    }
}

} // namespace pellow
