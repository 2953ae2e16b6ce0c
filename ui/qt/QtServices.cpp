// The services the window asks of Qt: message boxes, the open-file dialog, notification
// windows.
#include "ui/Toolkit.h"
#include "ui/qt/QtControlPeer.h"
#include "ui/qt/QtMessageBox.h"
#include "ui/qt/QtNotifyWindow.h"

#include <QFileDialog>

namespace pellow {

namespace {

// "All files|*.*" → "All files (*)": the pattern *.* would hide files without a dot.
QString QtFilter(const std::string& filter) {
    const QString text = ToQString(filter);
    const auto bar = text.indexOf('|');
    if (bar < 0) {
        return text;
    }
    QString pattern = text.mid(bar + 1);
    if (pattern == QLatin1String("*.*")) {
        pattern = QStringLiteral("*");
    }
    return text.left(bar) + QStringLiteral(" (") + pattern + QStringLiteral(")");
}

} // namespace

std::shared_ptr<TMessageBox> NewMessageBox(TControlPeer& owner) {
    return std::make_shared<TQtMessageBox>(dynamic_cast<QWidget*>(&owner));
}

std::optional<std::string> RunOpenFileDialog(TControlPeer& owner, const std::string& title,
                                             const std::string& filter,
                                             const std::string& proposed) {
    QWidget* const widget = dynamic_cast<QWidget*>(&owner);
    const QString chosen =
        QFileDialog::getOpenFileName(widget ? widget->window() : nullptr, ToQString(title),
                                     ToQString(proposed), QtFilter(filter));
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return ToStdString(chosen);
}

TNotifyWindowFactory NotifyWindowFactory() {
    return QtNotifyWindow::Factory();
}

} // namespace pellow
