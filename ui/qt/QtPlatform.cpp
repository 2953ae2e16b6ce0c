// The system as Qt and POSIX describe it.
#include "ui/Platform.h"

#include "receive/SaveFileName.h"
#include "ui/qt/XdgConfigHome.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QLocale>
#include <QStandardPaths>

#include <cstdlib>
#include <unistd.h>

namespace pellow {

std::filesystem::path ExecutableFolder() {
    return QCoreApplication::applicationDirPath().toStdString();
}

std::filesystem::path UserConfigFolder() {
    return XdgConfigHome([](const char* name) -> std::optional<std::string> {
        const char* value = std::getenv(name);
        return value ? std::optional<std::string>(value) : std::nullopt;
    });
}

bool IsWritable(const std::filesystem::path& path) {
    return ::access(path.c_str(), W_OK) == 0;
}

std::vector<std::filesystem::path> SaveFolders() {
    std::vector<std::filesystem::path> folders{ExecutableFolder()};
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QDir(documents).exists())
        folders.emplace_back(documents.toStdString());
    folders.emplace_back(QDir::homePath().toStdString());
    return folders;
}

TLocalTime LocalTimeNow() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
}

std::string ShortDateText(const TLocalTime& time) {
    const QDate date(time.Year, time.Month, time.Day);
    const QLocale locale = QLocale::system();
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    if (IsNumericDateFormat(format.toStdString()))
        return locale.toString(date, format).toStdString();
    return date.toString(Qt::ISODate).toStdString();
}

std::uint64_t PhysicalMemoryBytes() {
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        return 0;
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize);
}

} // namespace pellow
