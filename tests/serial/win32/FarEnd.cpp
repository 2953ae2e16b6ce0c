#include "tests/serial/FarEnd.h"

#include "serial/CommFlags.h"
#include "serial/win32/DeviceName.h"
#include "serial/win32/UniqueHandle.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <stdexcept>

namespace pellow::test {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        throw std::runtime_error(std::string("no line for the test: set ") + name +
                                 " (tests/windows/run_engine_tests.sh does)");
    }
    return value;
}

} // namespace

// The far port, opened for plain blocking I/O. Each call sets the timeouts it needs, so
// one thread at a time uses it.
class FarEnd::Line {
public:
    Line() : portName_(Environment("PELLOW_TEST_PORT")) {
        const std::string farPort = Win32DeviceName(Environment("PELLOW_TEST_FAR_PORT"));
        port_ = UniqueHandle(::CreateFileA(farPort.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                           OPEN_EXISTING, 0, nullptr));
        DCB dcb{};
        dcb.DCBlength = sizeof dcb;
        if (!port_.Valid() || !::GetCommState(port_.Get(), &dcb)) {
            throw std::runtime_error("cannot open the far end " + farPort);
        }
        // Every byte value passes: no flow control of any kind.
        dcb.BaudRate = 115200;
        dcb.ByteSize = 8;
        dcb.Parity = NOPARITY;
        dcb.StopBits = ONESTOPBIT;
        dcb.fBinary = 1;
        dcb.fParity = 0;
        dcb.fOutxCtsFlow = 0;
        dcb.fOutxDsrFlow = 0;
        dcb.fDtrControl = DTR_CONTROL_ENABLE;
        dcb.fRtsControl = RTS_CONTROL_ENABLE;
        dcb.fOutX = 0;
        dcb.fInX = 0;
        dcb.fNull = 0;
        dcb.fAbortOnError = 0;
        ::SetCommState(port_.Get(), &dcb);
        // The relay may still carry bytes of an earlier test; they are not this test's.
        ::PurgeComm(port_.Get(), PURGE_RXCLEAR | PURGE_TXCLEAR);
        ReadUntilQuiet(milliseconds(50));
    }

    const std::string& PortName() const { return portName_; }

    // Writes for at most `wait` (none: until all is written); returns how much went.
    std::size_t WriteFor(const char* data, std::size_t size, std::optional<milliseconds> wait) {
        COMMTIMEOUTS t{};
        t.WriteTotalTimeoutConstant = wait ? static_cast<DWORD>(wait->count()) : 0;
        ::SetCommTimeouts(port_.Get(), &t);
        std::size_t done = 0;
        while (done < size) {
            DWORD n = 0;
            if (!::WriteFile(port_.Get(), data + done, static_cast<DWORD>(size - done), &n,
                             nullptr)) {
                throw std::runtime_error("far end write failed");
            }
            done += n;
            if (wait) {
                break;
            }
        }
        return done;
    }

    // One read that returns what is there at once, else waits up to `wait` for a byte.
    std::string ReadFor(milliseconds wait) {
        COMMTIMEOUTS t{};
        t.ReadIntervalTimeout = MAXDWORD;
        t.ReadTotalTimeoutMultiplier = MAXDWORD;
        t.ReadTotalTimeoutConstant = static_cast<DWORD>(std::max<long long>(wait.count(), 1));
        ::SetCommTimeouts(port_.Get(), &t);
        char buffer[4096];
        DWORD n = 0;
        if (!::ReadFile(port_.Get(), buffer, sizeof buffer, &n, nullptr)) {
            return {};
        }
        return std::string(buffer, n);
    }

    std::string ReadUntilQuiet(milliseconds quiet) {
        std::string got;
        for (std::string some = ReadFor(quiet); !some.empty(); some = ReadFor(quiet)) {
            got += some;
        }
        return got;
    }

private:
    std::string portName_;
    UniqueHandle port_;
};

FarEnd::FarEnd() : line_(std::make_unique<Line>()) {}
FarEnd::~FarEnd() = default;

const std::string& FarEnd::PortName() const {
    return line_->PortName();
}

void FarEnd::Write(const std::string& bytes) const {
    line_->WriteFor(bytes.data(), bytes.size(), std::nullopt);
}

std::size_t FarEnd::WriteSome(const char* data, std::size_t size, milliseconds wait) const {
    return line_->WriteFor(data, size, wait);
}

std::string FarEnd::Read(std::size_t count, milliseconds deadline) const {
    std::string got;
    const auto end = Clock::now() + deadline;
    while (got.size() < count && Clock::now() < end) {
        const auto left = std::chrono::duration_cast<milliseconds>(end - Clock::now());
        got += line_->ReadFor(std::min(left, milliseconds(100)));
    }
    return got;
}

std::string FarEnd::ReadUntilQuiet(milliseconds quiet) const {
    return line_->ReadUntilQuiet(quiet);
}

// The relay's ports are raw from the start.
void FarEnd::MakeRaw() const {}

bool FarEnd::HangUp() {
    return false;
}

} // namespace pellow::test
