#include "app/AppInfo.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(pellow::ApplicationTitle);
    QMainWindow window;
    window.setWindowTitle(pellow::WindowCaption);
    window.resize(693, 502);
    window.show();
    return QApplication::exec();
}
