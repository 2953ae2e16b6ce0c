#include "platform/FileReplacement.h"
#include "platform/PathText.h"

#include "platform/win32/WideText.h"

#include <windows.h>

namespace pellow {

namespace {

HANDLE AsHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

} // namespace

TFileReplacement::TFileReplacement(std::filesystem::path target,
                                   const std::function<std::string(int)>& tempName)
    : target_(std::move(target)) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp_ = target_.parent_path() / PathFromText(tempName(attempt));
        const HANDLE file = ::CreateFileW(temp_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                          FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            handle_ = reinterpret_cast<std::intptr_t>(file);
            return;
        }
        if (::GetLastError() != ERROR_FILE_EXISTS) {
            break;
        }
    }
    Fail();
}

TFileReplacement::~TFileReplacement() {
    Discard();
}

void TFileReplacement::Fail() {
    if (!failed_) {
        error_ = SystemErrorText(::GetLastError());
        failed_ = true;
    }
}

void TFileReplacement::Discard() {
    if (handle_ != NoHandle) {
        ::CloseHandle(AsHandle(handle_));
        handle_ = NoHandle;
        ::DeleteFileW(temp_.c_str());
    }
}

bool TFileReplacement::Write(std::string_view bytes) {
    while (!failed_ && !bytes.empty()) {
        const DWORD chunk = bytes.size() > 0x40000000u ? 0x40000000u : DWORD(bytes.size());
        DWORD written = 0;
        if (!::WriteFile(AsHandle(handle_), bytes.data(), chunk, &written, nullptr) ||
            written == 0) {
            Fail();
            break;
        }
        bytes.remove_prefix(written);
    }
    return !failed_;
}

bool TFileReplacement::Commit() {
    if (failed_) {
        Discard();
        return false;
    }
    const HANDLE file = AsHandle(handle_);
    if (!::FlushFileBuffers(file)) {
        Fail();
    }
    handle_ = NoHandle;
    if (!::CloseHandle(file)) {
        Fail();
    }
    // The moved file keeps the security of its new place, as any file made there would.
    // A read-only file is not to be written: Windows refuses to move over one, and here
    // it is refused for everyone, also where the system would let an administrator.
    const DWORD attributes = ::GetFileAttributesW(target_.c_str());
    if (!failed_ && attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        ::SetLastError(ERROR_ACCESS_DENIED);
        Fail();
    }
    if (!failed_ && !::MoveFileExW(temp_.c_str(), target_.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        Fail();
    }
    if (failed_) {
        ::DeleteFileW(temp_.c_str());
    }
    return !failed_;
}

} // namespace pellow
