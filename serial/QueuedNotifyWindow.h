#pragma once
// A notification window for owners without a GUI event loop (the engine's tests and
// benchmarks, a console owner): workers post into a queue, and the owner's thread
// delivers the messages, in posting order, whenever it pumps.

#include "serial/NotifyWindow.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace pellow {

class QueuedNotifyWindow final : public TNotifyWindow {
public:
    explicit QueuedNotifyWindow(Proc proc) : proc_(std::move(proc)) {}
    // Releases what was never delivered.
    ~QueuedNotifyWindow() override;

    // Any thread; refused only after RefusePosts.
    bool Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;

    // Owner's thread: delivers messages as they come until `done` holds or the deadline
    // has passed; returns `done`.
    bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds deadline);
    // Owner's thread: delivers everything that arrives during `period`.
    void PumpFor(std::chrono::milliseconds period);
    // From now on every post is refused, as by a window that is gone.
    void RefusePosts();

    static TNotifyWindowFactory Factory(QueuedNotifyWindow** made);

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
    std::deque<Message> taken_; // the owner's own: taken from queue_, not yet delivered
    bool sleeping_ = false;     // the owner waits for a post, so a post has to wake it
    bool refusing_ = false;
};

} // namespace pellow
