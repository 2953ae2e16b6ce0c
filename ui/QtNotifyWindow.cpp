#include "ui/QtNotifyWindow.h"

#include <QCoreApplication>
#include <QEvent>

namespace pellow {

namespace {

const QEvent::Type PortMessageEventType = static_cast<QEvent::Type>(QEvent::registerEventType());

class PortMessageEvent final : public QEvent {
public:
    PortMessageEvent(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam)
        : QEvent(PortMessageEventType), message_(message), wParam_(wParam), lParam_(lParam) {}

    // An event Qt discards (its receiver died with it still queued) frees its block here;
    // delivery clears the payload first so nothing is freed twice.
    ~PortMessageEvent() override {
        if (owned_) {
            ReleaseUndeliveredMessage(message_, wParam_, lParam_);
        }
    }

    void Deliver(const TNotifyWindow::Proc& proc) {
        owned_ = false;
        proc(message_, wParam_, lParam_);
    }

private:
    std::uint32_t message_;
    std::uintptr_t wParam_;
    std::intptr_t lParam_;
    bool owned_ = true;
};

} // namespace

QtNotifyWindow::QtNotifyWindow(Proc proc) : proc_(std::move(proc)) {}

QtNotifyWindow::~QtNotifyWindow() {
    // Deleting the object drops its pending posted events, whose destructors release
    // their blocks.
    QCoreApplication::removePostedEvents(this, PortMessageEventType);
}

bool QtNotifyWindow::Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    // postEvent is thread-safe, never blocks, and keeps posting order per receiver.
    QCoreApplication::postEvent(this, new PortMessageEvent(message, wParam, lParam));
    return true;
}

void QtNotifyWindow::customEvent(QEvent* event) {
    if (event->type() == PortMessageEventType) {
        static_cast<PortMessageEvent*>(event)->Deliver(proc_);
    }
}

TNotifyWindowFactory QtNotifyWindow::Factory() {
    return [](TNotifyWindow::Proc proc) -> std::unique_ptr<TNotifyWindow> {
        return std::make_unique<QtNotifyWindow>(std::move(proc));
    };
}

} // namespace pellow
