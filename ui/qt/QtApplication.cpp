// The program's start on Qt: the application, its icon, the main window, the event loop.
#include "ui/TForm.h"
#include "ui/Toolkit.h"

#include <QApplication>
#include <QIcon>

namespace pellow {

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

int RunApplication(int argc, char* argv[], const char* title,
                   const std::function<std::unique_ptr<TForm>()>& createMainForm) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(title));
    // The desktop entry is named after the program, in lower case.
    QApplication::setDesktopFileName(QString::fromUtf8(title).toLower());
    QApplication::setWindowIcon(ApplicationIcon());
    const std::unique_ptr<TForm> mainForm = createMainForm();
    mainForm->Show();
    return QApplication::exec();
}

} // namespace pellow
