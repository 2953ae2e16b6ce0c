#pragma once
// A manual-reset event that threads can wait on together with a device: once Set it
// stays signalled until Reset. CloseEvent is the one that tells both workers to stop.

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace pellow {

class EventObject {
public:
    // Throws std::system_error when the operating system cannot create the event.
    EventObject();
    ~EventObject();
    EventObject(const EventObject&) = delete;
    EventObject& operator=(const EventObject&) = delete;

    // Any thread. IsSet costs no system call, so loops may test it as often as they like.
    void Set() const;
    void Reset() const;
    bool IsSet() const { return set_.load(std::memory_order_acquire); }

    // The operating system's object behind the event, which a device layer adds to its own
    // waits: an eventfd (readable while set) on POSIX systems, an event handle on Windows.
    // Only code of the same platform looks inside (serial/posix/EventFd.h,
    // serial/win32/EventHandle.h).
    std::intptr_t NativeHandle() const { return native_; }

private:
    std::intptr_t native_ = -1;
    mutable std::atomic<bool> set_{false};
};

class CloseEvent final : public EventObject {};

// Waits, without a time limit, until one of the events is set and returns the lowest
// position that is; -1 when the wait itself fails.
int WaitForAnyEvent(const EventObject* const* events, std::size_t count);

// As WaitForAnyEvent, but gives up at the deadline (none: never) and returns
// EventWaitTimedOut then.
constexpr int EventWaitTimedOut = -2;
int WaitForAnyEventUntil(const EventObject* const* events, std::size_t count,
                         std::optional<std::chrono::steady_clock::time_point> deadline);

} // namespace pellow
