#include "tests/serial/TestNotifyWindow.h"

namespace pellow::test {

using Clock = std::chrono::steady_clock;

TestNotifyWindow::~TestNotifyWindow() {
    for (const auto& m : queue_) {
        ReleaseUndeliveredMessage(m.message, m.wParam, m.lParam);
    }
}

bool TestNotifyWindow::Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    {
        std::lock_guard lock(mutex_);
        if (refusing_) {
            return false;
        }
        queue_.push_back({message, wParam, lParam});
    }
    arrived_.notify_one();
    return true;
}

bool TestNotifyWindow::PumpUntil(const std::function<bool()>& done,
                                 std::chrono::milliseconds deadline) {
    const auto end = Clock::now() + deadline;
    while (!done()) {
        Message m{};
        {
            std::unique_lock lock(mutex_);
            if (!arrived_.wait_until(lock, end, [&] { return !queue_.empty(); })) {
                return done();
            }
            m = queue_.front();
            queue_.pop_front();
        }
        proc_(m.message, m.wParam, m.lParam);
    }
    return true;
}

void TestNotifyWindow::PumpFor(std::chrono::milliseconds period) {
    PumpUntil([] { return false; }, period);
}

} // namespace pellow::test
