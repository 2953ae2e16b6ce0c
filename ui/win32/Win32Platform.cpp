// The system as the Windows API describes it.
#include "ui/Platform.h"

#include "platform/win32/WideText.h"
#include "receive/SaveFileName.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

#include <atomic>
#include <string_view>

namespace pellow {

namespace {

namespace fs = std::filesystem;

// A known folder of the current user; empty when the system has none.
fs::path KnownFolder(const KNOWNFOLDERID& id) {
    wchar_t* path = nullptr;
    fs::path folder;
    if (SUCCEEDED(::SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path)))
        folder = path;
    ::CoTaskMemFree(path);
    return folder;
}

// Creating a file is the only question Windows answers for sure: a folder's read-only
// attribute means nothing to files inside it, and its access lists are many.
bool FolderTakesFiles(const fs::path& folder) {
    static std::atomic<unsigned> serial{0};
    const std::wstring name = L".pellow-writable-" + std::to_wstring(::GetCurrentProcessId()) +
                              L"-" + std::to_wstring(serial++);
    const HANDLE file = ::CreateFileW(
        (folder / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
        FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(file);
    return true;
}

bool FileTakesWrites(const fs::path& file) {
    // Read-only is refused for everyone, as replacing the file refuses it.
    const DWORD attributes = ::GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return false;
    const HANDLE handle = ::CreateFileW(file.c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    ::CloseHandle(handle);
    return true;
}

std::wstring UserShortDateFormat() {
    const int size = ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SSHORTDATE, nullptr, 0);
    if (size <= 0)
        return {};
    std::wstring format(static_cast<std::size_t>(size), L'\0');
    ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SSHORTDATE, format.data(), size);
    format.resize(static_cast<std::size_t>(size - 1));
    return format;
}

std::string FormatDate(const TLocalTime& time, const wchar_t* format) {
    SYSTEMTIME date{};
    date.wYear = static_cast<WORD>(time.Year);
    date.wMonth = static_cast<WORD>(time.Month);
    date.wDay = static_cast<WORD>(time.Day);
    const int size =
        ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &date, format, nullptr, 0, nullptr);
    if (size <= 0)
        return {};
    std::wstring text(static_cast<std::size_t>(size), L'\0');
    ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &date, format, text.data(), size, nullptr);
    text.resize(static_cast<std::size_t>(size - 1));
    return Utf8FromWide(text);
}

} // namespace

fs::path ExecutableFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            return fs::path(path).parent_path();
        }
        path.resize(path.size() * 2); // a long path, cut off: ask again with more room
    }
}

fs::path UserConfigFolder() {
    return KnownFolder(FOLDERID_RoamingAppData);
}

bool IsWritable(const fs::path& path) {
    std::error_code ec;
    if (fs::is_directory(path, ec))
        return FolderTakesFiles(path);
    return FileTakesWrites(path);
}

std::vector<fs::path> SaveFolders() {
    std::vector<fs::path> folders{ExecutableFolder()};
    const fs::path documents = KnownFolder(FOLDERID_Documents);
    std::error_code ec;
    if (!documents.empty() && fs::is_directory(documents, ec))
        folders.push_back(documents);
    return folders;
}

TLocalTime LocalTimeNow() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

std::string ShortDateText(const TLocalTime& time) {
    const std::wstring format = UserShortDateFormat();
    const std::string formatText = Utf8FromWide(format);
    // Besides day and month names, Windows formats may name the era ("g").
    const bool numeric = !format.empty() && IsNumericDateFormat(formatText) &&
                         formatText.find('g') == std::string::npos;
    const std::string text = numeric ? FormatDate(time, format.c_str()) : std::string();
    return text.empty() ? FormatDate(time, L"yyyy-MM-dd") : text;
}

std::uint64_t PhysicalMemoryBytes() {
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    return ::GlobalMemoryStatusEx(&status) ? status.ullTotalPhys : 0;
}

} // namespace pellow
