#include "app/AppInfo.h"
#include "app/CommandLine.h"
#include "app/TfrmMain.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>

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
    // Answered before QApplication exists: no display is needed and no port is opened.
    const pellow::CommandLineReply reply = pellow::ReadCommandLine({argv + 1, argv + argc});
    if (!reply.StartWindow) {
        std::fputs(reply.Out.c_str(), stdout);
        std::fputs(reply.Err.c_str(), stderr);
        return reply.ExitCode;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(pellow::ApplicationTitle);
    QApplication::setDesktopFileName(QStringLiteral("pellow"));
    QApplication::setWindowIcon(ApplicationIcon());
    pellow::TfrmMain frmMain;
    frmMain.show();
    return QApplication::exec();
}
