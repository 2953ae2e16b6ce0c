#include "platform/ReadableFile.h"

#include "platform/win32/WideText.h"

#include <windows.h>

namespace pellow {

namespace {

HANDLE AsHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

} // namespace

TReadableFile::TReadableFile(const std::filesystem::path& path) {
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        Failed();
        return;
    }
    handle_ = reinterpret_cast<std::intptr_t>(file);
}

TReadableFile::~TReadableFile() {
    if (handle_ != NoHandle) {
        ::CloseHandle(AsHandle(handle_));
    }
}

void TReadableFile::Failed() {
    error_ = SystemErrorText(::GetLastError());
}

std::optional<std::uint64_t> TReadableFile::RegularFileSize() {
    if (::GetFileType(AsHandle(handle_)) != FILE_TYPE_DISK) {
        return std::nullopt;
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(AsHandle(handle_), &size)) {
        Failed();
        return std::nullopt;
    }
    return static_cast<std::uint64_t>(size.QuadPart);
}

std::int64_t TReadableFile::Read(char* buffer, std::size_t size) {
    const DWORD chunk = size > 0x40000000u ? 0x40000000u : DWORD(size);
    DWORD got = 0;
    if (!::ReadFile(AsHandle(handle_), buffer, chunk, &got, nullptr)) {
        // The writing end of a pipe that has gone is the end of what there is to read.
        if (::GetLastError() == ERROR_BROKEN_PIPE) {
            return 0;
        }
        Failed();
        return -1;
    }
    return got;
}

} // namespace pellow
