#pragma once
#include "serial/EventObject.h"

#include "serial/win32/WindowsApi.h"

namespace pellow {

// The manual-reset event handle behind an event, for the device layer's own waits.
inline HANDLE EventHandle(const EventObject& event) {
    return reinterpret_cast<HANDLE>(event.NativeHandle());
}

} // namespace pellow
