// Send throughput through a pseudo-terminal: SendBytes hands 64 KiB blocks to the writer
// thread; the far end counts what arrives. Reports bytes per second at the far end and
// the CPU time the whole process spent per MB sent.

#include "bench/CpuTime.h"
#include "serial/QueuedNotifyWindow.h"
#include "serial/TComm.h"
#include "tests/serial/PtyPair.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace pellow;
using pellow::bench::CpuSeconds;
using Clock = std::chrono::steady_clock;

namespace {

constexpr std::size_t BlockSize = 65535;
constexpr std::size_t Blocks = 1024; // about 64 MB

struct Result {
    double megabytesPerSecond;
    double cpuSecondsPerMegabyte;
};

Result SendRound() {
    test::PtyPair pty;
    QueuedNotifyWindow* window = nullptr;
    TComm com(QueuedNotifyWindow::Factory(&window));
    com.SetCommName(pty.SlavePath());
    com.SetOutx_XonXoffFlow(false);
    com.SetInx_XonXoffFlow(false);
    com.OpenPort();

    const std::size_t total = BlockSize * Blocks;
    std::size_t arrived = 0;
    std::thread farEnd([&] {
        std::vector<char> buffer(1 << 16);
        while (arrived < total) {
            const ssize_t n = ::read(pty.Master(), buffer.data(), buffer.size());
            if (n <= 0) {
                return;
            }
            arrived += static_cast<std::size_t>(n);
        }
    });

    std::vector<char> block(BlockSize);
    for (std::size_t i = 0; i < block.size(); ++i) {
        block[i] = static_cast<char>('a' + i % 26);
    }
    const auto started = Clock::now();
    const double cpuStarted = CpuSeconds();
    for (std::size_t sent = 0; sent < Blocks;) {
        if (com.SendBytes(block.data(), static_cast<std::uint16_t>(BlockSize))) {
            ++sent;
        } else {
            // The writer's queue is full: let it drain a little.
            window->PumpFor(std::chrono::milliseconds(1));
        }
    }
    farEnd.join();
    const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
    const double cpu = CpuSeconds() - cpuStarted;
    com.ClosePort();
    const double megabytes = static_cast<double>(total) / 1e6;
    return {megabytes / seconds, cpu / megabytes};
}

} // namespace

int main(int argc, char** argv) {
    // An argument sets the number of rounds; one round is a quick check that it runs.
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    std::vector<double> rates;
    for (int round = 0; round < rounds; ++round) {
        const Result r = SendRound();
        rates.push_back(r.megabytesPerSecond);
        std::printf("round %d: %.1f MB/s at the far end, %.2f CPU ms per MB\n", round + 1,
                    r.megabytesPerSecond, r.cpuSecondsPerMegabyte * 1000);
    }
    std::sort(rates.begin(), rates.end());
    std::printf("median send throughput: %.1f MB/s\n", rates[rates.size() / 2]);
    return 0;
}
