#include "ui/TMenu.h"

namespace pellow {

TMenuItem::TMenuItem(QObject* parent, const TDispatcher* dispatcher, const std::string& caption)
    : QAction(QString::fromStdString(caption), parent) {
    connect(this, &QAction::triggered, this, [this, dispatcher] { RunEvent(dispatcher, OnClick); });
}

TPopupMenu::TPopupMenu(QWidget* parent, const TDispatcher* dispatcher)
    : QMenu(parent), dispatcher_(dispatcher) {}

void TPopupMenu::Popup(const QPoint& globalPos) {
    RunEvent(dispatcher_, OnPopup);
    exec(globalPos);
}

} // namespace pellow
