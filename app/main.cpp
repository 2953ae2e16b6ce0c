#include "app/AppInfo.h"
#include "app/TfrmMain.h"

#include <QApplication>
#include <QIcon>

namespace {

// PNGs at every size the desktop asks for; the SVG would need an extra image plugin.
QIcon ApplicationIcon() {
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256}) {
        icon.addFile(QStringLiteral(":/icons/pellow-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(pellow::ApplicationTitle);
    QApplication::setDesktopFileName(QStringLiteral("pellow"));
    QApplication::setWindowIcon(ApplicationIcon());
    pellow::TfrmMain frmMain;
    frmMain.show();
    return QApplication::exec();
}
