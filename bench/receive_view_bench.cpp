// Appending received blocks to a receive area that already holds a lot, in text and hex
// mode, and the memory the area needs per byte it holds.

#include "receive/ReceiveView.h"
#include "ui/TForm.h"
#include "ui/qt/QtWidgetOf.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>

namespace pellow {
namespace {

constexpr std::size_t BlockSize = 2048;

std::string TextBlock(std::mt19937& random) {
    std::string block;
    while (block.size() < BlockSize) {
        const int length = static_cast<int>(random() % 120);
        for (int i = 0; i < length && block.size() < BlockSize; ++i)
            block.push_back(static_cast<char>(random() % 8 == 0 ? ' ' : 'a' + random() % 26));
        if (block.size() < BlockSize)
            block.push_back('\n');
    }
    return block;
}

std::string BinaryBlock(std::mt19937& random) {
    std::string block(BlockSize, '\0');
    for (char& c : block)
        c = static_cast<char>(random());
    return block;
}

// What the receive handler does with one block, minus the counter.
void AppendBlock(ReceiveView& view, const std::string& block, bool hex) {
    if (hex)
        view.AppendHexBytes(block);
    else
        view.AppendReceived(block);
}

// Fills the area with `bytes` received bytes; returns how many that were.
std::size_t Fill(ReceiveView& view, std::size_t bytes, bool hex) {
    std::mt19937 random(7);
    view.Clear();
    std::size_t received = 0;
    while (received < bytes) {
        const std::string block = hex ? BinaryBlock(random) : TextBlock(random);
        AppendBlock(view, block, hex);
        received += block.size();
    }
    return received;
}

// Shared by the benchmarks so that the area is laid out once; destroyed while the
// application still exists (a static widget outliving QApplication crashed at exit).
// The area alone in a window of its size.
struct AreaWindow {
    AreaWindow() {
        form.SetClientSize(800, 600);
        view.SetAlign(TAlign::alClient);
    }
    TForm form{nullptr};
    ReceiveView view{form};
};

std::unique_ptr<AreaWindow> sharedView;

ReceiveView& SharedView() {
    if (!sharedView) {
        sharedView = std::make_unique<AreaWindow>();
        qAddPostRoutine([] { sharedView.reset(); });
        QtWidgetOf(sharedView->form)->show();
    }
    return sharedView->view;
}

// Cost of one 2048-byte block with the area holding range(0) MB; hex when range(1) is 1.
void BM_AppendBlock(benchmark::State& state) {
    const std::size_t held = static_cast<std::size_t>(state.range(0)) << 20;
    const bool hex = state.range(1) != 0;
    ReceiveView& view = SharedView();
    Fill(view, held, hex);
    std::mt19937 random(11);
    const std::string block = hex ? BinaryBlock(random) : TextBlock(random);
    std::size_t appended = 0;
    std::size_t total = 0;
    for (auto _ : state) {
        AppendBlock(view, block, hex);
        appended += block.size();
        total += block.size();
        // Keep the area near the size under test.
        if (appended > held / 8) {
            appended = 0;
            state.PauseTiming();
            Fill(view, held, hex);
            state.ResumeTiming();
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(total));
    state.counters["rows"] = view.RowCount();
}
BENCHMARK(BM_AppendBlock)
    ->ArgsProduct({{1, 100}, {0, 1}})
    ->ArgNames({"MB", "hex"})
    ->Unit(benchmark::kMicrosecond);

// One repaint of the rows on screen, at the end of an area holding range(0) MB.
void BM_PaintAtEnd(benchmark::State& state) {
    ReceiveView& view = SharedView();
    Fill(view, static_cast<std::size_t>(state.range(0)) << 20, state.range(1) != 0);
    QApplication::processEvents();
    for (auto _ : state)
        benchmark::DoNotOptimize(QtWidgetOf<QAbstractScrollArea>(view)->viewport()->grab());
}
BENCHMARK(BM_PaintAtEnd)
    ->ArgsProduct({{1, 100}, {0, 1}})
    ->ArgNames({"MB", "hex"})
    ->Unit(benchmark::kMillisecond);

// Re-wrapping everything when the width changes, with the area holding range(0) MB.
void BM_WidthChange(benchmark::State& state) {
    ReceiveView& view = SharedView();
    Fill(view, static_cast<std::size_t>(state.range(0)) << 20, state.range(1) != 0);
    int width = 800;
    for (auto _ : state) {
        width = width == 800 ? 700 : 800;
        QtWidgetOf(sharedView->form)->resize(width, 600);
        benchmark::DoNotOptimize(view.RowCount());
    }
    QtWidgetOf(sharedView->form)->resize(800, 600);
}
BENCHMARK(BM_WidthChange)
    ->ArgsProduct({{1, 100}, {0, 1}})
    ->ArgNames({"MB", "hex"})
    ->Unit(benchmark::kMillisecond);

std::size_t ResidentBytes() {
    long pages = 0;
    long resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return static_cast<std::size_t>(resident) * static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
}

// Resident memory the area adds per byte received, filled block by block with 100 MB.
void BM_MemoryPerByte(benchmark::State& state) {
    const bool hex = state.range(0) != 0;
    double perByte = 0;
    for (auto _ : state) {
        auto window = std::make_unique<AreaWindow>();
        const std::size_t before = ResidentBytes();
        const std::size_t received = Fill(window->view, std::size_t(100) << 20, hex);
        const std::size_t after = ResidentBytes();
        perByte = double(after - before) / double(received);
    }
    state.counters["resident_per_byte"] = perByte;
}
BENCHMARK(BM_MemoryPerByte)
    ->Arg(0)
    ->Arg(1)
    ->ArgName("hex")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace
} // namespace pellow
