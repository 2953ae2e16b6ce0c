#include "serial/win32/Win32SerialDevice.h"

#include "serial/CommTypes.h"
#include "serial/ECommsError.h"
#include "serial/NullChars.h"
#include "serial/win32/DcbMapping.h"
#include "serial/win32/DeviceName.h"
#include "serial/win32/EventHandle.h"

#include <algorithm>

namespace pellow {

namespace {

constexpr DWORD QueueSize = 4096;
constexpr DWORD WatchedEvents = EV_RLSD | EV_ERR | EV_RING;

// A handle that is no longer valid ends a worker quietly; any other failure asks the
// owner to hang up.
InputWake FailedInput(DWORD error) {
    return error == ERROR_INVALID_HANDLE ? InputWake::InvalidHandle : InputWake::Failed;
}
DeviceStatus FailedOutput(DWORD error) {
    return error == ERROR_INVALID_HANDLE ? DeviceStatus::InvalidHandle : DeviceStatus::Failed;
}

// Manual-reset, created signalled, unnamed: the event of one overlapped record.
bool CreateRecordEvent(UniqueHandle& event, OVERLAPPED& record) {
    event = UniqueHandle(::CreateEventA(nullptr, TRUE, TRUE, nullptr));
    record = OVERLAPPED{};
    record.hEvent = event.Get();
    return event.Valid();
}

} // namespace

Win32SerialDevice::Win32SerialDevice(UniqueHandle port) : port_(std::move(port)) {}

void Win32SerialDevice::ApplyLineSettings(const LineSettings& settings) {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    // Read first, so the fields the settings do not cover keep the device's values.
    if (!::GetCommState(port_.Get(), &dcb)) {
        return;
    }
    FillDcb(dcb, settings);
    ignoreNullChar_ = dcb.fNull != 0;
    // A control block the device refuses leaves its settings as they were.
    ::SetCommState(port_.Get(), &dcb);
}

void Win32SerialDevice::ApplyTimeouts(const CommTimeouts& timeouts) {
    COMMTIMEOUTS record = MakeCommTimeouts(timeouts);
    ::SetCommTimeouts(port_.Get(), &record);
}

void Win32SerialDevice::Purge(bool input, bool output) {
    DWORD flags = 0;
    if (input) {
        flags |= PURGE_RXABORT | PURGE_RXCLEAR;
    }
    if (output) {
        flags |= PURGE_TXABORT | PURGE_TXCLEAR;
    }
    if (flags != 0) {
        ::PurgeComm(port_.Get(), flags);
    }
}

bool Win32SerialDevice::WatchLineEvents() {
    return CreateRecordEvent(readDone_, readRecord_) &&
           CreateRecordEvent(commEventDone_, commRecord_) &&
           ::SetCommMask(port_.Get(), WatchedEvents);
}

std::optional<InputWake> Win32SerialDevice::TakeCommEvents(LineEvents& events) {
    if ((commEvents_ & WatchedEvents) == 0) {
        return InputWake::LineEvents; // nothing the reader watches: it asks to hang up
    }
    if (commEvents_ & EV_ERR) {
        DWORD errors = 0;
        // Reading the flags also clears them, so reception goes on after the error.
        if (!::ClearCommError(port_.Get(), &errors, nullptr)) {
            return FailedInput(::GetLastError());
        }
        events.errors |= errors;
    }
    if (commEvents_ & EV_RLSD) {
        events.modem |= MODEM_EVENT_CARRIER;
    }
    if (commEvents_ & EV_RING) {
        events.modem |= MODEM_EVENT_RING;
    }
    // An error event whose flags were already read has nothing left to report.
    return events.Any() ? std::optional(InputWake::LineEvents) : std::nullopt;
}

InputWake Win32SerialDevice::WaitForInput(PendingRead& read, LineEvents& events,
                                          const EventObject& stop) {
    for (;;) {
        // Issue the event wait, then the read, unless they are still outstanding from the
        // last call; the stop is tested before issuing either.
        if (!commWaitPending_) {
            if (stop.IsSet()) {
                return InputWake::Stopped;
            }
            if (::WaitCommEvent(port_.Get(), &commEvents_, &commRecord_)) {
                if (const auto wake = TakeCommEvents(events)) {
                    return *wake;
                }
                continue;
            }
            const DWORD error = ::GetLastError();
            if (error != ERROR_IO_PENDING) {
                return FailedInput(error);
            }
            commWaitPending_ = true;
        }
        if (!readPending_) {
            if (stop.IsSet()) {
                return InputWake::Stopped;
            }
            const auto room = static_cast<DWORD>(read.capacity - read.count);
            DWORD count = 0;
            if (::ReadFile(port_.Get(), read.buffer + read.count, room, &count, &readRecord_)) {
                return ReadDone(read, count);
            }
            const DWORD error = ::GetLastError();
            if (error != ERROR_IO_PENDING) {
                return FailedInput(error);
            }
            readPending_ = true;
        }

        // When several are signalled the lowest position wins: the stop over line events,
        // line events over the read.
        const HANDLE waits[] = {EventHandle(stop), commEventDone_.Get(), readDone_.Get()};
        DWORD count = 0;
        switch (::WaitForMultipleObjects(3, waits, FALSE, INFINITE)) {
        case WAIT_OBJECT_0:
            return InputWake::Stopped;
        case WAIT_OBJECT_0 + 1:
            commWaitPending_ = false;
            if (!::GetOverlappedResult(port_.Get(), &commRecord_, &count, FALSE)) {
                return FailedInput(::GetLastError());
            }
            if (const auto wake = TakeCommEvents(events)) {
                return *wake;
            }
            break;
        case WAIT_OBJECT_0 + 2:
            readPending_ = false;
            if (!::GetOverlappedResult(port_.Get(), &readRecord_, &count, FALSE)) {
                return FailedInput(::GetLastError());
            }
            return ReadDone(read, count);
        default:
            return InputWake::Failed;
        }
    }
}

InputWake Win32SerialDevice::ReadDone(PendingRead& read, DWORD count) const {
    char* const arrived = read.buffer + read.count;
    read.count += ignoreNullChar_ ? DropNullChars(arrived, count) : count;
    return InputWake::ReadDone;
}

void Win32SerialDevice::EndReading() {
    if (commWaitPending_) {
        // A new event mask completes an outstanding event wait on every driver, where
        // cancelling the thread's I/O does not reach it everywhere.
        ::SetCommMask(port_.Get(), 0);
    }
    if (commWaitPending_ || readPending_) {
        ::CancelIo(port_.Get());
    }
    DWORD count = 0;
    if (commWaitPending_) {
        ::GetOverlappedResult(port_.Get(), &commRecord_, &count, TRUE);
        commWaitPending_ = false;
    }
    if (readPending_) {
        ::GetOverlappedResult(port_.Get(), &readRecord_, &count, TRUE);
        readPending_ = false;
    }
    readDone_.Reset();
    commEventDone_.Reset();
}

WriteResult Win32SerialDevice::Write(const char* data, std::size_t length,
                                     const EventObject& stop) {
    WriteResult result;
    if (!writeDone_.Valid() && !CreateRecordEvent(writeDone_, writeRecord_)) {
        result.status = DeviceStatus::Failed;
        return result;
    }
    const auto ask = static_cast<DWORD>(std::min<std::size_t>(length, MAXDWORD));
    DWORD written = 0;
    if (::WriteFile(port_.Get(), data, ask, &written, &writeRecord_)) {
        result.written = written;
        return result;
    }
    const DWORD error = ::GetLastError();
    if (error != ERROR_IO_PENDING) {
        result.status = FailedOutput(error);
        return result;
    }

    const HANDLE waits[] = {EventHandle(stop), writeDone_.Get()};
    const DWORD woke = ::WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    if (woke == WAIT_OBJECT_0 + 1) {
        if (!::GetOverlappedResult(port_.Get(), &writeRecord_, &written, TRUE)) {
            result.status = FailedOutput(::GetLastError());
            return result;
        }
        result.written = written;
        return result;
    }
    // Stopped, or the wait failed: the write must not outlive this call, since the
    // writer releases the block it reads from next.
    ::CancelIo(port_.Get());
    ::GetOverlappedResult(port_.Get(), &writeRecord_, &written, TRUE);
    result.status = woke == WAIT_OBJECT_0 ? DeviceStatus::Stopped : DeviceStatus::Failed;
    return result;
}

std::unique_ptr<SerialDevice> OpenWin32SerialDevice(const std::string& name) {
    UniqueHandle port(::CreateFileA(Win32DeviceName(name).c_str(), GENERIC_READ | GENERIC_WRITE,
                                    0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED, nullptr));
    if (!port.Valid()) {
        throw ECommsError("Error opening serial port");
    }
    if (::GetFileType(port.Get()) != FILE_TYPE_CHAR) {
        throw ECommsError("File handle is not a comm handle ");
    }
    if (!::SetupComm(port.Get(), QueueSize, QueueSize)) {
        throw ECommsError("Cannot setup comm buffer");
    }
    return std::make_unique<Win32SerialDevice>(std::move(port));
}

} // namespace pellow
