// Receive throughput of the engine on a named port that something outside feeds: the
// rate at which bytes reach OnReceiveData, from the first event to the one that completes
// the count, and how many events carried them. It runs on every platform, so one line can
// be measured from the Linux build and from the Windows build under Wine.
//
//   bench_port_receive_throughput PORT BYTES
//
// Prints "open" once the port is open; the feeder starts after that.

#include "serial/QueuedNotifyWindow.h"
#include "serial/TComm.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace pellow;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s PORT BYTES\n", argv[0]);
        return 2;
    }
    const std::size_t total = std::strtoull(argv[2], nullptr, 10);

    // This thread plays the GUI thread that receives the notifications.
    QueuedNotifyWindow* window = nullptr;
    TComm com(QueuedNotifyWindow::Factory(&window));
    com.SetCommName(argv[1]);
    com.SetBaudRate(115200);
    com.SetOutx_XonXoffFlow(false);
    com.SetInx_XonXoffFlow(false);

    std::size_t got = 0;
    std::size_t firstEvent = 0;
    std::size_t events = 0;
    Clock::time_point first;
    Clock::time_point last;
    com.OnReceiveData = [&](TComm*, const char*, std::uint16_t length) {
        last = Clock::now();
        if (events++ == 0) {
            first = last;
            firstEvent = length;
        }
        got += length;
    };
    try {
        com.OpenPort();
    } catch (const ECommsError& e) {
        std::fprintf(stderr, "%s: %s\n", argv[1], e.what());
        return 1;
    }
    std::printf("open\n");
    std::fflush(stdout);

    // Gives up once the line has been quiet for a while: the feeder stopped short.
    for (std::size_t before = got - 1; got < total && got != before;) {
        before = got;
        window->PumpUntil([&] { return got >= total; }, events == 0 ? 60s : 5s);
    }
    com.ClosePort();

    // The first event's bytes arrived before the clock started.
    const double seconds = std::chrono::duration<double>(last - first).count();
    const double rate = seconds > 0 ? static_cast<double>(got - firstEvent) / seconds : 0;
    std::printf("%zu of %zu bytes in %zu events, %.2f MB/s from the first event to the last\n",
                got, total, events, rate / 1e6);
    return got == total ? 0 : 1;
}
