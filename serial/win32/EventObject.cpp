#include "serial/EventObject.h"

#include "serial/win32/EventHandle.h"

#include <system_error>

namespace pellow {

namespace {

using Clock = std::chrono::steady_clock;

// WaitForMultipleObjects' timeout for a wait that ends at a moment (none: never). Rounded
// up so the moment has passed when the wait times out; a moment beyond the wait's reach
// (about 49 days) wakes it early, and the caller looks again.
DWORD WaitMilliseconds(std::optional<Clock::time_point> deadline) {
    if (!deadline) {
        return INFINITE;
    }
    const auto left = *deadline - Clock::now();
    if (left <= Clock::duration::zero()) {
        return 0;
    }
    const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
    return ms >= static_cast<long long>(INFINITE) ? INFINITE - 1 : static_cast<DWORD>(ms);
}

} // namespace

EventObject::EventObject()
    : native_(reinterpret_cast<std::intptr_t>(::CreateEventA(nullptr, TRUE, FALSE, nullptr))) {
    if (native_ == 0) {
        throw std::system_error(static_cast<int>(::GetLastError()), std::system_category(),
                                "CreateEventA");
    }
}

EventObject::~EventObject() {
    ::CloseHandle(EventHandle(*this));
}

void EventObject::Set() const {
    set_.store(true, std::memory_order_release);
    ::SetEvent(EventHandle(*this));
}

void EventObject::Reset() const {
    set_.store(false, std::memory_order_release);
    ::ResetEvent(EventHandle(*this));
}

int WaitForAnyEvent(const EventObject* const* events, std::size_t count) {
    return WaitForAnyEventUntil(events, count, std::nullopt);
}

int WaitForAnyEventUntil(const EventObject* const* events, std::size_t count,
                         std::optional<Clock::time_point> deadline) {
    if (count == 0 || count > MAXIMUM_WAIT_OBJECTS) {
        return -1;
    }
    HANDLE handles[MAXIMUM_WAIT_OBJECTS];
    for (std::size_t i = 0; i < count; ++i) {
        handles[i] = EventHandle(*events[i]);
    }
    const auto n = static_cast<DWORD>(count);
    for (;;) {
        // The lowest signalled position is reported, as the POSIX wait does.
        const DWORD woke = ::WaitForMultipleObjects(n, handles, FALSE, WaitMilliseconds(deadline));
        if (woke < WAIT_OBJECT_0 + n) {
            return static_cast<int>(woke - WAIT_OBJECT_0);
        }
        if (woke != WAIT_TIMEOUT) {
            return -1;
        }
        if (!deadline || Clock::now() >= *deadline) {
            return EventWaitTimedOut;
        }
        // Woken early: the system's timer ticks are coarser than the clock.
    }
}

} // namespace pellow
