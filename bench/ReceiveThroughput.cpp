// Receive throughput through a pseudo-terminal: bytes per second that reach
// OnReceiveData, against a plain blocking read loop on the same kind of line in the same
// run. The far end writes from its own thread, as a device would.

#include "bench/CpuTime.h"
#include "serial/QueuedNotifyWindow.h"
#include "serial/TComm.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <stdexcept>
#include <string>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace pellow;
using pellow::bench::CpuSeconds;
using Clock = std::chrono::steady_clock;

namespace {

struct Measurement {
    double bytesPerSecond = 0;
    double cpuSecondsPerGigabyte = 0;
};

constexpr std::size_t StreamBytes = 64u * 1024 * 1024;
constexpr std::size_t WriteSize = 64 * 1024;

struct Pty {
    Pty() {
        master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
            throw std::runtime_error("no pseudo-terminal");
        }
        slave = ::ptsname(master);
    }
    ~Pty() { ::close(master); }
    int master;
    std::string slave;
};

// The far end: streams `total` bytes into the line (values that no flow control eats).
std::thread StartFarEnd(int master, std::size_t total) {
    return std::thread([master, total] {
        std::vector<char> chunk(WriteSize);
        for (std::size_t i = 0; i < chunk.size(); ++i) {
            chunk[i] = static_cast<char>('A' + i % 26);
        }
        std::size_t sent = 0;
        while (sent < total) {
            const ssize_t n = ::write(master, chunk.data(), std::min(chunk.size(), total - sent));
            if (n <= 0) {
                return;
            }
            sent += static_cast<std::size_t>(n);
        }
    });
}

Measurement PlainReadLoop() {
    Pty pty;
    const int fd = ::open(pty.slave.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios t{};
    ::tcgetattr(fd, &t);
    ::cfmakeraw(&t);
    t.c_cc[VMIN] = 1;
    t.c_cc[VTIME] = 0;
    ::tcsetattr(fd, TCSANOW, &t);

    const auto started = Clock::now();
    const double cpuStarted = CpuSeconds();
    std::thread farEnd = StartFarEnd(pty.master, StreamBytes);
    std::vector<char> buffer(ReadChunkSize);
    std::size_t got = 0;
    while (got < StreamBytes) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n <= 0) {
            break;
        }
        got += static_cast<std::size_t>(n);
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
    const double cpu = CpuSeconds() - cpuStarted;
    farEnd.join();
    ::close(fd);
    return {static_cast<double>(got) / seconds, cpu / (static_cast<double>(got) / 1e9)};
}

Measurement EngineReceive() {
    Pty pty;
    // The benchmark's thread plays the GUI thread that receives the notifications.
    QueuedNotifyWindow* window = nullptr;
    TComm com(QueuedNotifyWindow::Factory(&window));
    com.SetCommName(pty.slave);
    com.SetBaudRate(115200);
    com.SetOutx_XonXoffFlow(false);
    com.SetInx_XonXoffFlow(false);
    std::size_t got = 0;
    bool done = false;
    com.OnReceiveData = [&](TComm*, const char*, std::uint16_t length) {
        got += length;
        done = got >= StreamBytes;
    };
    com.OpenPort();

    const auto started = Clock::now();
    const double cpuStarted = CpuSeconds();
    std::thread farEnd = StartFarEnd(pty.master, StreamBytes);
    window->PumpUntil([&] { return done; }, std::chrono::seconds(60));
    const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
    const double cpu = CpuSeconds() - cpuStarted;
    farEnd.join();
    com.ClosePort();
    return {static_cast<double>(got) / seconds, cpu / (static_cast<double>(got) / 1e9)};
}

} // namespace

int main(int argc, char** argv) {
    // "engine" or "plain" runs only that side, for profiling it.
    if (argc > 1 && std::string(argv[1]) == "plain") {
        std::printf("plain read loop %.1f MB/s\n", PlainReadLoop().bytesPerSecond / 1e6);
        return 0;
    }
    if (argc > 1 && std::string(argv[1]) == "engine") {
        const Measurement engine = EngineReceive();
        std::printf("OnReceiveData %.1f MB/s\n", engine.bytesPerSecond / 1e6);
        return 0;
    }
    // The two runs of a round follow each other, so each round's ratio compares them under
    // the same machine load; the median ratio is the figure to read.
    constexpr int Rounds = 7;
    std::vector<double> ratios;
    for (int round = 0; round < Rounds; ++round) {
        const Measurement plain = PlainReadLoop();
        const Measurement engine = EngineReceive();
        ratios.push_back(engine.bytesPerSecond / plain.bytesPerSecond);
        std::printf("round %d: plain read loop %.1f MB/s (%.2f CPU s/GB), OnReceiveData %.1f MB/s "
                    "(%.2f CPU s/GB), ratio %.2f\n",
                    round + 1, plain.bytesPerSecond / 1e6, plain.cpuSecondsPerGigabyte,
                    engine.bytesPerSecond / 1e6, engine.cpuSecondsPerGigabyte, ratios.back());
    }
    std::sort(ratios.begin(), ratios.end());
    std::printf("median ratio OnReceiveData / plain read loop: %.2f\n", ratios[Rounds / 2]);
    return 0;
}
