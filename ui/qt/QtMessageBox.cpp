#include "ui/qt/QtMessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

namespace pellow {

namespace {

// Runs a modal box and gives the window back its activation and its keyboard focus once
// the box is gone. Not every desktop does that when a dialog closes (the offscreen
// platform and some window managers leave no window active), and then a click into a
// box of the window after a warning does not reach the keyboard: the next keys are lost
// or go to whatever held the focus before.
template <typename Box>
void ShowModal(QWidget* parent, const Box& box) {
    const QPointer<QWidget> focus = QApplication::focusWidget();
    box();
    if (parent == nullptr || !parent->isVisible())
        return;
    parent->activateWindow();
    if (focus && focus->window() == parent && focus->isEnabled() && focus->isVisible())
        focus->setFocus(Qt::ActiveWindowFocusReason);
}

} // namespace

void TQtMessageBox::Show(const std::string& text) {
    ShowModal(parent_, [&] {
        QMessageBox::warning(parent_, QApplication::applicationName(), QString::fromUtf8(text),
                             QMessageBox::Ok);
    });
}

void TQtMessageBox::ShowError(const std::string& text) {
    ShowModal(parent_, [&] {
        QMessageBox::critical(parent_, QApplication::applicationName(), QString::fromUtf8(text),
                              QMessageBox::Ok);
    });
}

} // namespace pellow
