#include "app/AppInfo.h"
#include "app/TfrmMain.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(pellow::ApplicationTitle);
    pellow::TfrmMain frmMain;
    frmMain.show();
    return QApplication::exec();
}
