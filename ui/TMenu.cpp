#include "ui/TMenu.h"

namespace pellow {

TMenuItem::TMenuItem(QObject* parent, const TDispatcher* dispatcher, const std::string& caption)
    : QAction(QString::fromStdString(caption), parent) {
    connect(this, &QAction::triggered, this, [this, dispatcher] {
        if (!OnClick) {
            return;
        }
        auto handler = OnClick;
        if (dispatcher) {
            dispatcher->Run(handler);
        } else {
            handler();
        }
    });
}

TPopupMenu::TPopupMenu(QWidget* parent, const TDispatcher* dispatcher)
    : QMenu(parent), dispatcher_(dispatcher) {}

void TPopupMenu::Popup(const QPoint& globalPos) {
    if (OnPopup) {
        auto handler = OnPopup;
        if (dispatcher_) {
            dispatcher_->Run(handler);
        } else {
            handler();
        }
    }
    exec(globalPos);
}

} // namespace pellow
