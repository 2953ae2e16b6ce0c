#include "ui/NotifyTurns.h"

namespace pellow {

TNotifyTurns::~TNotifyTurns() {
    std::lock_guard lock(mutex_);
    for (const auto* messages : {&taken_, &queue_}) {
        for (const Message& m : *messages)
            ReleaseUndeliveredMessage(m.message, m.wParam, m.lParam);
    }
}

} // namespace pellow
