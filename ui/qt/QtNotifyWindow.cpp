#include "ui/qt/QtNotifyWindow.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>

namespace pellow {

namespace {

const QEvent::Type TurnEventType = static_cast<QEvent::Type>(QEvent::registerEventType());

} // namespace

QtNotifyWindow::QtNotifyWindow(Proc proc) : proc_(std::move(proc)) {}

QtNotifyWindow::~QtNotifyWindow() {
    QCoreApplication::removePostedEvents(this, TurnEventType);
    for (const auto* messages : {&taken_, &queue_}) {
        for (const Message& m : *messages)
            ReleaseUndeliveredMessage(m.message, m.wParam, m.lParam);
    }
}

void QtNotifyWindow::PostWake() {
    // postEvent is thread-safe and never blocks.
    QCoreApplication::postEvent(this, new QEvent(TurnEventType));
}

bool QtNotifyWindow::Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    bool wake = false;
    {
        std::lock_guard lock(mutex_);
        queue_.push_back({message, wParam, lParam});
        wake = !wakePosted_;
        wakePosted_ = true;
    }
    if (wake)
        PostWake();
    return true;
}

void QtNotifyWindow::customEvent(QEvent* event) {
    if (event->type() != TurnEventType)
        return;
    {
        // Posts made while a message is handled (a handler's modal box runs a loop of its
        // own) queue a turn of their own, so they are delivered meanwhile too.
        std::lock_guard lock(mutex_);
        wakePosted_ = false;
    }
    const auto deadline = std::chrono::steady_clock::now() + TurnBudget;
    const QPointer<QtNotifyWindow> alive(this);
    for (;;) {
        if (taken_.empty()) {
            std::lock_guard lock(mutex_);
            if (queue_.empty())
                return;
            taken_.swap(queue_);
        }
        const Message m = taken_.front();
        taken_.pop_front();
        proc_(m.message, m.wParam, m.lParam);
        if (!alive)
            return;
        if (std::chrono::steady_clock::now() >= deadline)
            break;
    }
    // What is left waits for a turn queued behind the events that came meanwhile.
    bool wake = false;
    {
        std::lock_guard lock(mutex_);
        wake = !wakePosted_;
        wakePosted_ = true;
    }
    if (wake)
        PostWake();
}

TNotifyWindowFactory QtNotifyWindow::Factory() {
    return [](TNotifyWindow::Proc proc) -> std::unique_ptr<TNotifyWindow> {
        return std::make_unique<QtNotifyWindow>(std::move(proc));
    };
}

} // namespace pellow
