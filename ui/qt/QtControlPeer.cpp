#include "ui/qt/QtControlPeer.h"

namespace pellow {

QWidget* QtChildHost(TControlPeer& parent) {
    if (auto* container = dynamic_cast<QtContainer*>(&parent))
        return container->ChildHost();
    return dynamic_cast<QWidget*>(&parent);
}

QString ToolTipText(const std::string& hint) {
    QString tip = ToQString(hint);
    tip.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QChar('\r'), QChar('\n'));
    return tip;
}

} // namespace pellow
