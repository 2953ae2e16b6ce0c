// "Save data": the receive area's bytes into a file named after the time of saving.
#include "app/TfrmMain.h"

#include "receive/SaveFile.h"
#include "receive/SaveFileName.h"
#include "receive/ReceiveView.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QLocale>
#include <QStandardPaths>

namespace pellow {

namespace {

// Beside the executable as always; where that folder cannot be written (an installed
// program), the user's documents folder, or else the home folder.
std::vector<std::filesystem::path> SaveFolders() {
    std::vector<std::filesystem::path> folders{
        QCoreApplication::applicationDirPath().toStdString()};
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir(documents).exists())
        folders.emplace_back(documents.toStdString());
    folders.emplace_back(QDir::homePath().toStdString());
    return folders;
}

// The user's short date, or the numeric year-month-day where that names the month.
std::string SaveDate(const QDate& date) {
    const QLocale locale = QLocale::system();
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    if (IsNumericDateFormat(format.toStdString()))
        return locale.toString(date, format).toStdString();
    return date.toString(Qt::ISODate).toStdString();
}

} // namespace

void TfrmMain::btnSaveDataClick() {
    const QDateTime now = QDateTime::currentDateTime();
    const std::string date = SaveDate(now.date());
    const QTime time = now.time();
    const std::string name = SaveFileName(date, time.hour(), time.minute(), time.second());
    WriteFileInFirstFolder(SaveFolders(), name, [this](const ByteSink& sink) {
        mmReceive->WriteText(sink);
    });
}

} // namespace pellow
