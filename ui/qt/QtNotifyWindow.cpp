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
    // The queue releases what is left once the turn events can no longer come.
    QCoreApplication::removePostedEvents(this, TurnEventType);
}

void QtNotifyWindow::PostTurn(std::unique_ptr<QEvent> turn) {
    // postEvent is thread-safe and never blocks.
    if (turn)
        QCoreApplication::postEvent(this, turn.release());
}

bool QtNotifyWindow::Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    std::unique_ptr<QEvent> turn;
    turns_.Post({message, wParam, lParam}, [&turn] {
        turn = std::make_unique<QEvent>(TurnEventType);
        return true;
    });
    PostTurn(std::move(turn));
    return true;
}

void QtNotifyWindow::customEvent(QEvent* event) {
    if (!turns_.BeginTurn([event] { return event->type() == TurnEventType; }))
        return;
    const QPointer<QtNotifyWindow> alive(this);
    const auto end = turns_.DeliverTurn([&](const TNotifyTurns::Message& m) {
        proc_(m.message, m.wParam, m.lParam);
        return !alive.isNull();
    });
    if (end != TNotifyTurns::TTurnEnd::BudgetSpent)
        return;
    // What is left waits for a turn queued behind the events that came meanwhile.
    std::unique_ptr<QEvent> turn;
    turns_.QueueNextTurn([&turn] {
        turn = std::make_unique<QEvent>(TurnEventType);
        return true;
    });
    PostTurn(std::move(turn));
}

TNotifyWindowFactory QtNotifyWindow::Factory() {
    return [](TNotifyWindow::Proc proc) -> std::unique_ptr<TNotifyWindow> {
        return std::make_unique<QtNotifyWindow>(std::move(proc));
    };
}

} // namespace pellow
