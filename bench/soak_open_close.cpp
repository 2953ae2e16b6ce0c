// The window opening and closing a port again and again, offscreen: a pseudo-terminal
// and the loopback port, each for a number of cycles through the port button. After
// the cycles the process must hold as many descriptors and threads as before them, and
// its heap must not have grown by a leak.
//
// Allocator noise: the figures to return to are taken after a warm-up of cycles, so that
// what the toolkit and the allocator set up once on first use (caches, a thread's arena)
// is already there. After that the heap in use still wanders by a few kilobytes as
// containers keep or give back a block, but it does not grow with the number of cycles,
// while a leak does: glibc's smallest block takes 32 bytes, so leaking even one block a
// cycle adds at least 32 bytes a cycle. The heap is therefore sampled along the run and
// judged by the slope of a straight line fitted to the samples; the run fails at a slope
// of 32 bytes a cycle or more. Over fewer than 200 cycles the wandering would still move
// the slope by that much, so shorter runs report it without judging. The resident size
// is reported, never judged: freed pages stay with the allocator.
//
// Usage: soak_open_close [cycles per port, default 1000]

#include "ProcessFigures.h"
#include "SoakWindow.h"

#include <QApplication>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace pellow;
using namespace pellow::test;

constexpr int WarmUpCycles = 50;
constexpr double SmallestBlock = 32;
constexpr int JudgedCycles = 200;
constexpr int Samples = 50;

struct Figures {
    int descriptors = 0;
    int threads = 0;
    std::int64_t heap = 0;
    double residentMb = 0;
};

Figures Now() {
    // Notifications of the last cycle (the writer's empty queue) are delivered first.
    WaitFor([] { return false; }, std::chrono::milliseconds(50));
    return {OpenDescriptorCount(), bench::ThreadCount(), bench::HeapBytesInUse(),
            bench::ResidentMb()};
}

// Opens and closes `port` from the window `cycles` times; false when one failed.
bool Cycle(TfrmMain& f, const std::string& port, int cycles) {
    for (int i = 0; i < cycles; ++i) {
        f.btnCOMClick();
        if (f.btnCOM->Caption() != "OPEN")
            return false;
        f.cbCOM->SetText(port);
        f.btnCOMClick();
        if (f.btnCOM->Caption() != "CLOSE")
            return false;
        QCoreApplication::processEvents();
    }
    return true;
}

// Least-squares slope of heap bytes over cycles.
double Slope(const std::vector<std::pair<double, double>>& points) {
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (const auto& [x, y] : points) {
        sx += x;
        sy += y;
        sxx += x * x;
        sxy += x * y;
    }
    const double n = static_cast<double>(points.size());
    const double d = n * sxx - sx * sx;
    return d == 0 ? 0 : (n * sxy - sx * sy) / d;
}

bool Soak(TfrmMain& f, const std::string& name, const std::string& port, int cycles) {
    if (!Cycle(f, port, WarmUpCycles)) {
        std::printf("%s: opening failed during the warm-up\n", name.c_str());
        return false;
    }
    const Figures before = Now();
    std::vector<std::pair<double, double>> heap{{0, static_cast<double>(before.heap)}};
    std::int64_t low = before.heap, high = before.heap;
    const int step = std::max(1, cycles / Samples);
    bool opened = true;
    for (int done = 0; done < cycles && opened;) {
        const int n = std::min(step, cycles - done);
        opened = Cycle(f, port, n);
        done += n;
        const std::int64_t now = bench::HeapBytesInUse();
        heap.emplace_back(done, static_cast<double>(now));
        low = std::min(low, now);
        high = std::max(high, now);
    }
    const Figures after = Now();
    const double slope = Slope(heap);
    const bool judged = cycles >= JudgedCycles;
    const bool ok = opened && after.descriptors == before.descriptors &&
                    after.threads == before.threads && (!judged || slope < SmallestBlock);
    std::printf("%-15s %d cycles%s: descriptors %d -> %d, threads %d -> %d; heap in use %lld ->"
                " %lld bytes, within %lld..%lld, slope %+.2f bytes a cycle%s; resident %.1f ->"
                " %.1f MB: %s\n",
                name.c_str(), cycles, opened ? "" : " (an opening FAILED)", before.descriptors,
                after.descriptors, before.threads, after.threads,
                static_cast<long long>(before.heap), static_cast<long long>(after.heap),
                static_cast<long long>(low - before.heap), static_cast<long long>(high - before.heap),
                slope, judged ? "" : " (too few cycles to judge)", before.residentMb,
                after.residentMb, ok ? "ok" : "FAILED");
    std::fflush(stdout);
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    const int cycles = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    std::printf("open/close soak: %d cycles per port after %d to warm up, load %s\n", cycles,
                WarmUpCycles, bench::LoadAverage().c_str());

    const bench::SoakWindow soak;
    if (!soak.Opened()) {
        std::printf("the window opened none of the pseudo-terminals it tried\n");
        return 2;
    }
    TestWindow& w = soak.Window();
    const bool ok = Soak(*w, "pseudo-terminal", soak.Pty().SlavePath(), cycles) &
                    Soak(*w, "loop://", "loop://", cycles);
    if (!w.Messages().empty())
        std::printf("the window warned: %s\n", w.Messages().front().c_str());
    return ok && w.Messages().empty() ? 0 : 1;
}
