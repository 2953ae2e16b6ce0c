#pragma once
// The Qt notification window: worker threads post, the GUI thread delivers each
// message to the procedure in posting order. Messages still queued when it is
// destroyed are released, never delivered.

#include "serial/NotifyWindow.h"

#include <QObject>

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
    Proc proc_;
};

} // namespace pellow
