#pragma once
// A terminal device (serial port, USB adapter, pseudo-terminal) through termios.
// Opened exclusively: TIOCEXCL keeps other opens out, flock keeps out other programs
// that honour it and also holds against privileged ones, which TIOCEXCL lets through,
// and the conventional lock file keeps out programs that use neither.

#include "serial/SerialDevice.h"
#include "serial/SharedTimeouts.h"
#include "serial/posix/LineCounters.h"
#include "serial/posix/PortLockFile.h"
#include "serial/posix/UniqueFd.h"

#include <atomic>
#include <filesystem>
#include <memory>
#include <string>
#include <termios.h>

namespace pellow {

class PosixSerialDevice final : public SerialDevice {
public:
    PosixSerialDevice(PortLockFile lock, UniqueFd fd, const termios& original);
    // Gives the device back as it was found: original termios, no exclusive mode.
    ~PosixSerialDevice() override;

    void ApplyLineSettings(const LineSettings& settings) override;
    void ApplyTimeouts(const CommTimeouts& timeouts) override;
    void Purge(bool input, bool output) override;
    bool WatchLineEvents() override;
    InputWake WaitForInput(PendingRead& read, LineEvents& events, const EventObject& stop) override;
    WriteResult Write(const char* data, std::size_t length, const EventObject& stop) override;

private:
    bool SampleLineEvents(LineEvents& events);
    std::size_t TakeBytes(char* at, std::size_t count) const;

    PortLockFile lock_; // goes last, once the device is closed
    UniqueFd fd_;
    termios original_;

    // Written by the GUI thread, read by the workers.
    SharedTimeouts timeouts_;
    std::atomic<bool> parityCheck_{false};
    std::atomic<bool> ignoreNullChar_{false};

    // The reader's own.
    bool countersSupported_ = false;
    LineCounters counters_;
    bool failureAfterRead_ = false;
};

// Raises ECommsError when the device is locked by another process, cannot be opened, is
// not a character device or is not a terminal; releases the lock and descriptor first.
// Its lock file goes into `lockFolder` (empty: none).
std::unique_ptr<SerialDevice> OpenPosixSerialDevice(const std::string& name,
                                                    const std::filesystem::path& lockFolder);

} // namespace pellow
