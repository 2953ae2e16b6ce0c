#pragma once
// The notification window of the engine tests: workers post into a queue, the test
// thread plays the GUI thread and pumps it.

#include "serial/NotifyWindow.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace pellow::test {

class TestNotifyWindow final : public TNotifyWindow {
public:
    explicit TestNotifyWindow(Proc proc) : proc_(std::move(proc)) {}
    ~TestNotifyWindow() override;

    bool Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;

    // Delivers messages as they come until `done` holds or the deadline has passed.
    bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds deadline);
    // Delivers everything that arrives during `period`.
    void PumpFor(std::chrono::milliseconds period);
    void RefusePosts() {
        std::lock_guard lock(mutex_);
        refusing_ = true;
    }

private:
    struct Message {
        std::uint32_t message;
        std::uintptr_t wParam;
        std::intptr_t lParam;
    };

    Proc proc_;
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::deque<Message> queue_;
    bool refusing_ = false;
};

} // namespace pellow::test
