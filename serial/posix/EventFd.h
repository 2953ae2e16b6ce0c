#pragma once
#include "serial/EventObject.h"

namespace pellow {

// The eventfd behind an event: readable while the event is set.
inline int EventFd(const EventObject& event) {
    return static_cast<int>(event.NativeHandle());
}

} // namespace pellow
