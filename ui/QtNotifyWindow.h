#pragma once
// The Qt notification window: worker threads post, the GUI thread delivers each
// message to the procedure in posting order. Messages still queued when it is
// destroyed are released, never delivered.
//
// Messages are delivered in turns with a time budget: however fast they are posted, key
// presses, clicks and repaints get their turn between two turns.

#include "serial/NotifyWindow.h"

#include <QEvent>
#include <QObject>

#include <chrono>
#include <deque>
#include <memory>
#include <mutex>

namespace pellow {

class QtNotifyWindow final : public QObject, public TNotifyWindow {
    Q_OBJECT
public:
    // Longest time one turn spends delivering messages before it lets other events in.
    static constexpr std::chrono::milliseconds TurnBudget{10};

    explicit QtNotifyWindow(Proc proc);
    ~QtNotifyWindow() override;

    bool Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;

    static TNotifyWindowFactory Factory();

protected:
    void customEvent(QEvent* event) override;

private:
    struct Message {
        std::uint32_t message;
        std::uintptr_t wParam;
        std::intptr_t lParam;
    };
    // With mutex_ held: the turn event to post, or none when a turn is queued already.
    std::unique_ptr<QEvent> TakeWakeLocked();
    void PostWake(std::unique_ptr<QEvent> wake);

    Proc proc_;
    std::mutex mutex_;
    std::deque<Message> queue_;  // posted, not yet taken by the GUI thread
    bool wakePosted_ = false;    // a turn is queued, so a post need not queue another
    std::deque<Message> taken_;  // the GUI thread's own: taken, not yet delivered
};

} // namespace pellow
