// The whole window offscreen with a receive area holding a lot (100 MB by default): the
// longest stall of the GUI thread while the display switches to hex and back, the send
// list is shown and hidden, the window is resized, and a block arrives after a lone line
// break; with the peak memory of each step and the time until the area's rows (and so its
// scroll bar) settled. Stalls are gaps between ticks of a 5 ms timer, from the step until
// the rows have settled and no tick gap came for a while.
//
// Usage: receive_area_stall_bench [megabytes, default 100]

#include "WindowTestSupport.h"

#include "receive/ReceiveView.h"
#include "ui/qt/QtWidgetOf.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <random>
#include <string>

namespace {

using namespace pellow;
using namespace pellow::test;
using Clock = std::chrono::steady_clock;

constexpr std::size_t BlockSize = 2048;
constexpr int TickMs = 5;

std::string TextBlock(std::mt19937& random) {
    std::string block;
    while (block.size() < BlockSize) {
        const int length = static_cast<int>(random() % 120);
        for (int i = 0; i < length && block.size() < BlockSize; ++i)
            block.push_back(static_cast<char>(random() % 8 == 0 ? ' ' : 'a' + random() % 26));
        if (block.size() + 2 <= BlockSize)
            block += "\r\n";
        else
            block.resize(BlockSize, 'z');
    }
    return block;
}

std::string BinaryBlock(std::mt19937& random) {
    std::string block(BlockSize, '\0');
    for (char& c : block)
        c = static_cast<char>(random());
    return block;
}

void Receive(TfrmMain& w, const std::string& block) {
    w.ComReceiveData(nullptr, block.data(), static_cast<std::uint16_t>(block.size()));
}

void Fill(TfrmMain& w, std::size_t bytes, bool binary) {
    std::mt19937 random(7);
    for (std::size_t received = 0; received < bytes; received += BlockSize) {
        Receive(w, binary ? BinaryBlock(random) : TextBlock(random));
        if (received % (8 << 20) == 0)
            QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
}

double PeakMb() {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
    }
    return 0;
}

double ResidentMb() {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
    }
    return 0;
}

void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

struct Stall {
    double longestMs = 0;
    double settledMs = 0;
};

// Runs `step` from the event loop and keeps the loop going until the area's rows have
// settled and the GUI thread has run its timer without a long gap for `quiet`.
Stall LongestStall(const ReceiveView& area, const std::function<void()>& step,
                   std::chrono::milliseconds quiet = std::chrono::milliseconds(1500)) {
    QEventLoop loop;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(TickMs);
    double longest = 0;
    auto last = Clock::now();
    auto calmSince = Clock::now();
    auto started = Clock::now();
    double settled = -1;
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const auto now = Clock::now();
        const double gap = std::chrono::duration<double, std::milli>(now - last).count();
        longest = std::max(longest, gap);
        if (gap > 3 * TickMs)
            calmSince = now;
        last = now;
        if (settled < 0 && area.RowsSettled())
            settled = std::chrono::duration<double, std::milli>(now - started).count();
        if (settled >= 0 && now - calmSince > quiet)
            loop.quit();
    });
    QTimer::singleShot(0, [&] {
        last = started = Clock::now();
        step();
        const auto now = Clock::now();
        longest = std::max(longest, std::chrono::duration<double, std::milli>(now - last).count());
        last = calmSince = now;
        ticker.start();
    });
    loop.exec();
    return {longest, settled};
}

void Report(const ReceiveView& area, const char* what, const std::function<void()>& step) {
    ResetPeak();
    const double before = ResidentMb();
    const Stall stall = LongestStall(area, step);
    std::printf("  %-42s longest stall %7.1f ms  rows settled after %7.1f ms  peak %6.1f MB "
                "(before %6.1f MB)\n",
                what, stall.longestMs, stall.settledMs, PeakMb(), before);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    const long mb = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 100;
    const std::size_t bytes = static_cast<std::size_t>(mb > 0 ? mb : 100) << 20;

    ScratchFolder folder;
    TestWindow w({}, folder.Path());
    QWidget* window = QtWidgetOf(*w);
    window->resize(900, 700);
    window->show();
    QCoreApplication::processEvents();
    std::mt19937 random(3);

    std::printf("receive area stall bench: %ld MB received per fill\n", mb);
    std::printf("[text lines, %ld MB]\n", mb);
    Fill(*w, bytes, false);
    Report(*w->mmReceive, "show the send list", [&] { w->btnListClick(); });
    Report(*w->mmReceive, "hide the send list", [&] { w->btnListClick(); });
    Report(*w->mmReceive, "resize the window (100 px narrower)",
           [&] { window->resize(window->width() - 100, window->height()); });
    Report(*w->mmReceive, "first block after a lone line break", [&] {
        w->mmReceive->AppendBytes("\n");
        Receive(*w, TextBlock(random));
    });
    Report(*w->mmReceive, "second block after it", [&] { Receive(*w, TextBlock(random)); });
    Report(*w->mmReceive, "display in hex on (text -> hex)", [&] { w->cbHexDisplay->SetChecked(true); });
    Report(*w->mmReceive, "display in hex off (hex -> text)", [&] { w->cbHexDisplay->SetChecked(false); });

    w->btnClearReceiveClick();
    w->cbHexDisplay->SetChecked(true);
    std::printf("[binary in hex, %ld MB]\n", mb);
    Fill(*w, bytes, true);
    Report(*w->mmReceive, "show the send list", [&] { w->btnListClick(); });
    Report(*w->mmReceive, "hide the send list", [&] { w->btnListClick(); });
    Report(*w->mmReceive, "resize the window (100 px wider)", [&] { window->resize(window->width() + 100, window->height()); });
    Report(*w->mmReceive, "display in hex off (hex -> text)", [&] { w->cbHexDisplay->SetChecked(false); });
    Report(*w->mmReceive, "first block after it (lone line breaks)", [&] { Receive(*w, BinaryBlock(random)); });
    Report(*w->mmReceive, "resize the window (100 px narrower)",
           [&] { window->resize(window->width() - 100, window->height()); });
    Report(*w->mmReceive, "display in hex on (text -> hex)", [&] { w->cbHexDisplay->SetChecked(true); });
    return 0;
}
