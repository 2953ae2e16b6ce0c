#include "ui/QtNotifyWindow.h"

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

std::unique_ptr<QEvent> QtNotifyWindow::TakeWakeLocked() {
    if (wakePosted_)
        return nullptr;
    wakePosted_ = true;
    // Made under the lock that the turn takes first: what the posting thread wrote reaches
    // the GUI thread through our own mutex, which a race detector can see, rather than
    // only through the toolkit's event queue, which it cannot.
    return std::make_unique<QEvent>(TurnEventType);
}

void QtNotifyWindow::PostWake(std::unique_ptr<QEvent> wake) {
    // postEvent is thread-safe and never blocks.
    if (wake)
        QCoreApplication::postEvent(this, wake.release());
}

bool QtNotifyWindow::Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    std::unique_ptr<QEvent> wake;
    {
        std::lock_guard lock(mutex_);
        queue_.push_back({message, wParam, lParam});
        wake = TakeWakeLocked();
    }
    PostWake(std::move(wake));
    return true;
}

void QtNotifyWindow::customEvent(QEvent* event) {
    {
        // The lock comes before the event is looked at: it is what hands the event over.
        std::lock_guard lock(mutex_);
        if (event->type() != TurnEventType)
            return;
        // Posts made while a message is handled (a handler's modal box runs a loop of its
        // own) queue a turn of their own, so they are delivered meanwhile too.
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
    std::unique_ptr<QEvent> wake;
    {
        std::lock_guard lock(mutex_);
        wake = TakeWakeLocked();
    }
    PostWake(std::move(wake));
}

TNotifyWindowFactory QtNotifyWindow::Factory() {
    return [](TNotifyWindow::Proc proc) -> std::unique_ptr<TNotifyWindow> {
        return std::make_unique<QtNotifyWindow>(std::move(proc));
    };
}

} // namespace pellow
