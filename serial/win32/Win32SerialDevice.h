#pragma once
// A port of the Windows communications interface, opened exclusively for overlapped
// I/O. The reader keeps one read and one wait for line events outstanding on it at all
// times; the writer has at most one write outstanding, and only while Write runs. Each
// keeps its own overlapped records and events, so the three threads share nothing but
// the handle.

#include "serial/SerialDevice.h"
#include "serial/win32/UniqueHandle.h"

#include <atomic>
#include <memory>
#include <optional>
#include <string>

namespace pellow {

class Win32SerialDevice final : public SerialDevice {
public:
    explicit Win32SerialDevice(UniqueHandle port);

    void ApplyLineSettings(const LineSettings& settings) override;
    void ApplyTimeouts(const CommTimeouts& timeouts) override;
    void Purge(bool input, bool output) override;
    // Watches carrier changes, line errors and rings (EV_RLSD | EV_ERR | EV_RING).
    bool WatchLineEvents() override;
    InputWake WaitForInput(PendingRead& read, LineEvents& events, const EventObject& stop) override;
    // Ends the outstanding event wait and read, and waits until neither can complete
    // into the reader's buffer or records any more.
    void EndReading() override;
    WriteResult Write(const char* data, std::size_t length, const EventObject& stop) override;

private:
    // What a completed event wait reports; none when there is nothing to tell and the
    // wait is simply issued again.
    std::optional<InputWake> TakeCommEvents(LineEvents& events);

    // Completes a read with the count the device reported.
    InputWake ReadDone(PendingRead& read, DWORD count) const;

    UniqueHandle port_;
    // Written by the GUI thread, read by the reader. The control block asks the driver to
    // drop null characters, but not every driver does: the device drops them itself too.
    std::atomic<bool> ignoreNullChar_{false};

    // The reader's own, set up by WatchLineEvents.
    UniqueHandle readDone_;
    UniqueHandle commEventDone_;
    OVERLAPPED readRecord_{};
    OVERLAPPED commRecord_{};
    DWORD commEvents_ = 0; // filled in by the event wait
    bool readPending_ = false;
    bool commWaitPending_ = false;

    // The writer's own, set up by its first write.
    UniqueHandle writeDone_;
    OVERLAPPED writeRecord_{};
};

// Raises ECommsError "Error opening serial port" when the port cannot be opened (no such
// device, in use, no access), "File handle is not a comm handle " when the name opened
// something else, "Cannot setup comm buffer" when its queues cannot be set to 4096 bytes
// each way; nothing stays open then.
std::unique_ptr<SerialDevice> OpenWin32SerialDevice(const std::string& name);

} // namespace pellow
