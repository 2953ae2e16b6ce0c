#include "ui/qt/QtMessageBox.h"

#include <QApplication>
#include <QMessageBox>

namespace pellow {

void TQtMessageBox::Show(const std::string& text) {
    QMessageBox::warning(parent_, QApplication::applicationName(), QString::fromUtf8(text),
                         QMessageBox::Ok);
}

void TQtMessageBox::ShowError(const std::string& text) {
    QMessageBox::critical(parent_, QApplication::applicationName(), QString::fromUtf8(text),
                          QMessageBox::Ok);
}

} // namespace pellow
