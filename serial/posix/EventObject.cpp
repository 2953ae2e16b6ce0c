#include "serial/EventObject.h"

#include "serial/posix/EventFd.h"
#include "serial/posix/PollTimeout.h"

#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <sys/eventfd.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace pellow {

EventObject::EventObject() : native_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
    if (native_ < 0) {
        throw std::system_error(errno, std::generic_category(), "eventfd");
    }
}

EventObject::~EventObject() {
    ::close(EventFd(*this));
}

void EventObject::Set() const {
    set_.store(true, std::memory_order_release);
    const std::uint64_t one = 1;
    // Only fails when the counter would overflow, which leaves it readable anyway.
    [[maybe_unused]] auto n = ::write(EventFd(*this), &one, sizeof one);
}

void EventObject::Reset() const {
    set_.store(false, std::memory_order_release);
    std::uint64_t value = 0;
    [[maybe_unused]] auto n = ::read(EventFd(*this), &value, sizeof value);
}

int WaitForAnyEvent(const EventObject* const* events, std::size_t count) {
    return WaitForAnyEventUntil(events, count, std::nullopt);
}

int WaitForAnyEventUntil(const EventObject* const* events, std::size_t count,
                         std::optional<std::chrono::steady_clock::time_point> deadline) {
    std::vector<pollfd> fds(count);
    for (std::size_t i = 0; i < count; ++i) {
        fds[i] = pollfd{EventFd(*events[i]), POLLIN, 0};
    }
    for (;;) {
        const int n = ::poll(fds.data(), fds.size(), PollTimeout(deadline));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n == 0 && (!deadline || std::chrono::steady_clock::now() >= *deadline)) {
            return EventWaitTimedOut;
        }
        if (n == 0) {
            continue; // woken early: the deadline lies beyond one poll's reach
        }
        if (n < 0) {
            return -1;
        }
        for (std::size_t i = 0; i < count; ++i) {
            if (fds[i].revents & POLLIN) {
                return static_cast<int>(i);
            }
            if (fds[i].revents != 0) {
                return -1;
            }
        }
    }
}

} // namespace pellow
