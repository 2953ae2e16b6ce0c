#pragma once
// The Qt notification window: worker threads post, the GUI thread delivers each
// message to the procedure in posting order, in turns (ui/NotifyTurns.h), each queued on
// Qt's event loop as an event of its own.

#include "serial/NotifyWindow.h"
#include "ui/NotifyTurns.h"

#include <QEvent>
#include <QObject>

#include <memory>

namespace pellow {

class QtNotifyWindow final : public QObject, public TNotifyWindow {
    Q_OBJECT
public:
    explicit QtNotifyWindow(Proc proc);
    ~QtNotifyWindow() override;

    bool Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;

    static TNotifyWindowFactory Factory();

protected:
    void customEvent(QEvent* event) override;

private:
    // Posts the turn event made under the queue's lock, if one was made.
    void PostTurn(std::unique_ptr<QEvent> turn);

    Proc proc_;
    TNotifyTurns turns_;
};

} // namespace pellow
