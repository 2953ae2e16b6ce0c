#include "serial/posix/PosixSerialDevice.h"

#include "serial/CommFlags.h"
#include "serial/DeviceTimeouts.h"
#include "serial/ECommsError.h"
#include "serial/NullChars.h"
#include "serial/posix/CustomBaudRate.h"
#include "serial/posix/EventFd.h"
#include "serial/posix/PollTimeout.h"
#include "serial/posix/TermiosMapping.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>

namespace pellow {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Counters cannot wake a poll, so a device that keeps them is sampled this often while
// the line is quiet; one that does not is never woken for them.
constexpr milliseconds CounterSampleInterval{50};

} // namespace

PosixSerialDevice::PosixSerialDevice(PortLockFile lock, UniqueFd fd, const termios& original)
    : lock_(std::move(lock)), fd_(std::move(fd)), original_(original) {}

PosixSerialDevice::~PosixSerialDevice() {
    ::tcsetattr(fd_.Get(), TCSANOW, &original_);
    ::ioctl(fd_.Get(), TIOCNXCL);
}

void PosixSerialDevice::ApplyLineSettings(const LineSettings& s) {
    const std::uint32_t flags = DcbFlags(s);
    parityCheck_ = (flags & DcbFlag::fParity) != 0;
    ignoreNullChar_ = (flags & DcbFlag::fNull) != 0;

    termios current{};
    if (::tcgetattr(fd_.Get(), &current) != 0) {
        return;
    }
    const termios wanted = MakeTermios(current, s);
    // A record the device refuses leaves its settings as they were.
    ::tcsetattr(fd_.Get(), TCSANOW, &wanted);
    if (StandardSpeed(s.baudRate) == B0) {
        SetCustomBaudRate(fd_.Get(), s.baudRate);
    }

    // Pseudo-terminals have no modem lines; the device keeps what it had.
    ModemLineChange lines = ModemLinesFor(flags);
    if (lines.raise != 0) {
        ::ioctl(fd_.Get(), TIOCMBIS, &lines.raise);
    }
    if (lines.lower != 0) {
        ::ioctl(fd_.Get(), TIOCMBIC, &lines.lower);
    }
}

void PosixSerialDevice::ApplyTimeouts(const CommTimeouts& t) {
    timeouts_.Store(t);
}

void PosixSerialDevice::Purge(bool input, bool output) {
    if (input && output) {
        ::tcflush(fd_.Get(), TCIOFLUSH);
    } else if (input) {
        ::tcflush(fd_.Get(), TCIFLUSH);
    } else if (output) {
        ::tcflush(fd_.Get(), TCOFLUSH);
    }
}

bool PosixSerialDevice::WatchLineEvents() {
    switch (ReadLineCounters(fd_.Get(), counters_)) {
    case CounterRead::Ok:
        countersSupported_ = true;
        return true;
    case CounterRead::Unsupported:
        // Such a device cannot report line events, so it reports none.
        countersSupported_ = false;
        return true;
    case CounterRead::Failed:
        break;
    }
    return false;
}

bool PosixSerialDevice::SampleLineEvents(LineEvents& events) {
    if (!countersSupported_) {
        return false;
    }
    LineCounters now;
    if (ReadLineCounters(fd_.Get(), now) != CounterRead::Ok) {
        return false;
    }
    const LineEvents seen = LineEventsBetween(counters_, now, parityCheck_);
    counters_ = now;
    events.errors |= seen.errors;
    events.modem |= seen.modem;
    return events.Any();
}

std::size_t PosixSerialDevice::TakeBytes(char* at, std::size_t count) const {
    return ignoreNullChar_ ? DropNullChars(at, count) : count;
}

InputWake PosixSerialDevice::WaitForInput(PendingRead& read, LineEvents& events,
                                          const EventObject& stop) {
    // The stop comes first, before a failure or line events already seen.
    if (stop.IsSet()) {
        return InputWake::Stopped;
    }
    if (failureAfterRead_) {
        failureAfterRead_ = false;
        return InputWake::Failed;
    }
    // A failure with bytes already gathered completes the read first, so they are not lost.
    const auto fail = [&] {
        if (read.count > 0) {
            failureAfterRead_ = true;
            return InputWake::ReadDone;
        }
        return InputWake::Failed;
    };
    if (SampleLineEvents(events)) {
        return InputWake::LineEvents;
    }

    bool lineDown = false; // the last wait reported a hang-up or an error on the line
    for (;;) {
        if (stop.IsSet()) {
            return InputWake::Stopped;
        }
        // Read before waiting: while bytes stream in, a wait would only cost a system call.
        const ssize_t n = ::read(fd_.Get(), read.buffer + read.count, read.capacity - read.count);
        if (n > 0) {
            const std::size_t kept =
                TakeBytes(read.buffer + read.count, static_cast<std::size_t>(n));
            if (kept > 0) {
                read.count += kept;
                read.lastByte = Clock::now();
            }
            if (read.count == read.capacity) {
                return InputWake::ReadDone;
            }
            // Fewer bytes than asked for: the device's queue is empty, so wait next.
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else if (n < 0 && errno == EBADF) {
            return InputWake::InvalidHandle;
        } else if ((n < 0 && errno != EAGAIN) || lineDown) {
            // EIO, or a hung-up line with nothing left to read. Without VMIN and VTIME a
            // terminal answers "nothing there" with 0 rather than EAGAIN, so 0 alone
            // means the end only after the wait reported the line down.
            return fail();
        }

        // Nothing there now: has the read ended, and if not, until when may it wait?
        const ReadCompletion completion = CheckReadCompletion(read, timeouts_.Load(), Clock::now());
        if (completion.done) {
            return InputWake::ReadDone;
        }
        std::optional<Clock::time_point> deadline = completion.wakeBy;
        if (countersSupported_) {
            Earliest(deadline, Clock::now() + CounterSampleInterval);
        }

        pollfd fds[2] = {{fd_.Get(), POLLIN, 0}, {EventFd(stop), POLLIN, 0}};
        const int ready = ::poll(fds, 2, PollTimeout(deadline));
        if (ready < 0) {
            if (errno == EINTR) {
                continue;
            }
            return fail();
        }
        if (fds[1].revents & POLLIN) {
            return InputWake::Stopped;
        }
        if (SampleLineEvents(events)) {
            return InputWake::LineEvents;
        }
        const short got = fds[0].revents;
        if (got & POLLNVAL) {
            return InputWake::InvalidHandle;
        }
        // Whatever is still readable is read first; the next empty read then ends it.
        lineDown = (got & (POLLHUP | POLLERR)) != 0;
    }
}

WriteResult PosixSerialDevice::Write(const char* data, std::size_t length,
                                     const EventObject& stop) {
    WriteResult result;
    const std::optional<Clock::time_point> deadline =
        WriteDeadline(timeouts_.Load(), length, Clock::now());

    while (result.written < length) {
        const ssize_t n = ::write(fd_.Get(), data + result.written, length - result.written);
        if (n > 0) {
            result.written += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && errno == EBADF) {
            result.status = DeviceStatus::InvalidHandle;
            return result;
        }
        if (n < 0 && errno != EAGAIN) {
            result.status = DeviceStatus::Failed;
            return result;
        }
        // Held off (flow control or a full queue): wait for room or a stop.
        pollfd fds[2] = {{fd_.Get(), POLLOUT, 0}, {EventFd(stop), POLLIN, 0}};
        const int ready = ::poll(fds, 2, PollTimeout(deadline));
        if (ready < 0 && errno == EINTR) {
            continue;
        }
        if (ready < 0) {
            result.status = DeviceStatus::Failed;
            return result;
        }
        if (fds[1].revents & POLLIN) {
            result.status = DeviceStatus::Stopped;
            return result;
        }
        if (ready == 0 && (!deadline || Clock::now() >= *deadline)) {
            return result; // the write timeouts ran out: Ok with what was written
        }
        if (ready == 0) {
            continue; // woken early: the deadline lies beyond one poll's reach
        }
        if (fds[0].revents & POLLNVAL) {
            result.status = DeviceStatus::InvalidHandle;
            return result;
        }
        if ((fds[0].revents & (POLLHUP | POLLERR)) && !(fds[0].revents & POLLOUT)) {
            result.status = DeviceStatus::Failed;
            return result;
        }
    }
    return result;
}

std::unique_ptr<SerialDevice> OpenPosixSerialDevice(const std::string& name,
                                                    const std::filesystem::path& lockFolder) {
    // Locked before opening: opening alone may already change the lines of a port in use.
    std::optional<PortLockFile> lock = LockPort(lockFolder, name);
    if (!lock) {
        throw ECommsError("Error opening serial port");
    }
    UniqueFd fd(::open(name.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.Valid()) {
        throw ECommsError("Error opening serial port");
    }
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0 || !S_ISCHR(info.st_mode)) {
        throw ECommsError("File handle is not a comm handle ");
    }
    if (::flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) {
        throw ECommsError("Error opening serial port");
    }
    termios original{};
    if (::tcgetattr(fd.Get(), &original) != 0) {
        throw ECommsError("Cannot setup comm buffer");
    }
    // Refused by devices without exclusive mode; flock still holds then.
    ::ioctl(fd.Get(), TIOCEXCL);
    return std::make_unique<PosixSerialDevice>(std::move(*lock), std::move(fd), original);
}

} // namespace pellow
