#include "serial/QueuedNotifyWindow.h"

namespace pellow {

using Clock = std::chrono::steady_clock;

QueuedNotifyWindow::~QueuedNotifyWindow() {
    for (const auto* messages : {&taken_, &queue_}) {
        for (const auto& m : *messages) {
            ReleaseUndeliveredMessage(m.message, m.wParam, m.lParam);
        }
    }
}

TNotifyWindowFactory QueuedNotifyWindow::Factory(QueuedNotifyWindow** made) {
    return [made](Proc proc) {
        auto window = std::make_unique<QueuedNotifyWindow>(std::move(proc));
        *made = window.get();
        return window;
    };
}

bool QueuedNotifyWindow::Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    bool wake = false;
    {
        std::lock_guard lock(mutex_);
        if (refusing_) {
            return false;
        }
        queue_.push_back({message, wParam, lParam});
        wake = sleeping_;
        sleeping_ = false;
    }
    // Like an event loop's wake-up: only the post that finds the owner asleep costs a
    // system call; those that follow before it runs find it already woken.
    if (wake) {
        arrived_.notify_one();
    }
    return true;
}

void QueuedNotifyWindow::RefusePosts() {
    std::lock_guard lock(mutex_);
    refusing_ = true;
}

bool QueuedNotifyWindow::PumpUntil(const std::function<bool()>& done,
                                   std::chrono::milliseconds deadline) {
    const auto end = Clock::now() + deadline;
    while (!done()) {
        if (taken_.empty()) {
            std::unique_lock lock(mutex_);
            sleeping_ = true;
            const bool arrived = arrived_.wait_until(lock, end, [&] { return !queue_.empty(); });
            sleeping_ = false;
            if (!arrived) {
                return done();
            }
            // Everything posted so far in one go, so the workers rarely meet the lock held.
            taken_.swap(queue_);
        }
        const Message m = taken_.front();
        taken_.pop_front();
        proc_(m.message, m.wParam, m.lParam);
    }
    return true;
}

void QueuedNotifyWindow::PumpFor(std::chrono::milliseconds period) {
    PumpUntil([] { return false; }, period);
}

} // namespace pellow
