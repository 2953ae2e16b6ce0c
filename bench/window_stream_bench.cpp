// The whole window receiving a stream through a pseudo-terminal, in text mode and in hex
// mode, paced at 1.2 MB/s and as fast as the pseudo-terminal takes it: bytes lost on the
// way to the counter, the area and a saved file, the longest and p99 stall of the GUI
// thread, memory per byte received, the writer's achieved rate, how long the window took
// to catch up once the writer stopped, and the round trip of keys typed into the receive
// area meanwhile (from the key event queued for the window, as the window system queues a
// typed key, to its byte read at the far end of the line).
//
// Usage: window_stream_bench [seconds per run, default 30] [text|hex|both, default both]
//                            [paced|full|both, default both]

#include "ProcessFigures.h"
#include "WindowTestSupport.h"

#include "receive/ReceiveView.h"
#include "ui/qt/QtWidgetOf.h"

#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QInputDevice>
#include <QKeyEvent>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <poll.h>
#include <set>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using namespace pellow;
using namespace pellow::test;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;

constexpr std::size_t SliceBytes = 12000;
constexpr auto SliceInterval = std::chrono::milliseconds(10);
constexpr int TickMs = 5;
constexpr double LongStallMs = 50;
constexpr auto CatchUpDeadline = std::chrono::seconds(120);
constexpr auto KeyInterval = std::chrono::milliseconds(250);

// Printable ASCII with two- and three-byte UTF-8 characters among it, and no CR or LF,
// so that the text area must hold exactly the stream. Its length is prime to the slice
// size so that slices start at changing offsets and split characters now and then.
std::string MakePattern() {
    std::string p;
    for (int round = 0; p.size() < 4000; ++round) {
        for (char c = ' '; c <= '~'; ++c) {
            p += c;
            if ((c + round) % 17 == 0)
                p += "\xC3\xA9"; // é
            if ((c + round) % 29 == 0)
                p += "\xE2\x82\xAC"; // €
            if ((c + round) % 41 == 0)
                p += "\xE4\xB8\xAD"; // 中
        }
    }
    p.resize(4001);
    // A cut may have split a character at the end; end on a whole one.
    while (!p.empty() && (static_cast<unsigned char>(p.back()) & 0x80))
        p.pop_back();
    return p;
}

// The RX counter is a 32-bit signed number that wraps; this is what it shows for `count`.
std::string CounterCaption(std::size_t count) {
    return std::to_string(static_cast<std::int32_t>(static_cast<std::uint32_t>(count)));
}

// Compares what the area shows (or a file holds), piece by piece, with the pattern
// repeated for `bytes` bytes, as hex pairs in hex mode; never holds the whole of either.
class ExpectedText {
public:
    ExpectedText(const std::string& pattern, std::size_t bytes, bool hex)
        : pattern_(pattern), size_(hex ? 3 * bytes : bytes), hex_(hex) {}

    void Check(std::string_view piece) {
        if (!same_ || seen_ + piece.size() > size_) {
            same_ = false;
            return;
        }
        expected_.resize(piece.size());
        for (std::size_t i = 0; i < piece.size(); ++i)
            expected_[i] = At(seen_ + i);
        same_ = piece == std::string_view(expected_);
        seen_ += piece.size();
    }
    bool Same() const { return same_ && seen_ == size_; }
    std::size_t Seen() const { return seen_; }

private:
    char At(std::size_t pos) const {
        if (!hex_)
            return pattern_[pos % pattern_.size()];
        static constexpr char digits[] = "0123456789ABCDEF";
        const auto byte = static_cast<unsigned char>(pattern_[(pos / 3) % pattern_.size()]);
        switch (pos % 3) {
        case 0:
            return digits[byte >> 4];
        case 1:
            return digits[byte & 0x0F];
        default:
            return ' ';
        }
    }

    const std::string& pattern_;
    std::size_t size_;
    bool hex_;
    std::size_t seen_ = 0;
    bool same_ = true;
    std::string expected_;
};

std::set<fs::path> SavedFiles(const fs::path& folder) {
    std::set<fs::path> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("Save") && name.ends_with(".txt"))
            files.insert(entry.path());
    }
    return files;
}

void CheckFile(const fs::path& path, ExpectedText& expected) {
    std::ifstream in(path, std::ios::binary);
    std::string buffer(1 << 20, '\0');
    while (in) {
        in.read(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        expected.Check(std::string_view(buffer.data(), static_cast<std::size_t>(in.gcount())));
    }
}

// Writes `pattern` repeated into the master at the paced rate for `duration`.
class PacedWriter {
public:
    PacedWriter(const PtyPair& pty, const std::string& pattern, std::chrono::seconds duration,
                bool paced)
        : paced_(paced), thread_([this, &pty, &pattern, duration] { Run(pty, pattern, duration); }) {}
    ~PacedWriter() {
        if (thread_.joinable())
            thread_.join();
    }
    PacedWriter(const PacedWriter&) = delete;
    PacedWriter& operator=(const PacedWriter&) = delete;

    bool Done() const { return done_.load(); }
    std::size_t Written() const { return written_.load(); }
    Clock::time_point Started() const { return started_; }
    Clock::time_point Finished() const { return finished_; }

private:
    void Run(const PtyPair& pty, const std::string& pattern, std::chrono::seconds duration) {
        std::string slice;
        started_ = Clock::now();
        const auto end = started_ + duration;
        auto next = started_;
        std::size_t offset = 0;
        while (next < end) {
            slice.clear();
            while (slice.size() < SliceBytes) {
                const std::size_t take =
                    std::min(SliceBytes - slice.size(), pattern.size() - offset);
                slice.append(pattern, offset, take);
                offset = (offset + take) % pattern.size();
            }
            pty.Write(slice);
            written_ += slice.size();
            // The end is the last byte handed over, not the pause after it.
            finished_ = Clock::now();
            if (paced_) {
                next += SliceInterval;
                std::this_thread::sleep_until(next);
            } else {
                next = Clock::now();
            }
        }
        done_ = true;
    }

    bool paced_;
    std::atomic<bool> done_{false};
    std::atomic<std::size_t> written_{0};
    Clock::time_point started_;
    Clock::time_point finished_;
    std::thread thread_;
};

// Queues a key press for the receive area every KeyInterval, from its own thread, until
// stopped; a reader at the far end of the line notes when each typed byte arrives.
class Typist {
public:
    Typist(QWidget* area, const PtyPair& pty)
        : typing_([this, area] { Type(area); }), reading_([this, &pty] { Read(pty); }) {}
    ~Typist() {
        StopTyping();
        typing_.join();
        stopReading_ = true;
        reading_.join();
    }
    Typist(const Typist&) = delete;
    Typist& operator=(const Typist&) = delete;

    // Does not wait for the typing thread, so the GUI thread never sleeps on it.
    void StopTyping() { stopTyping_ = true; }
    // Round trips in milliseconds of the keys that arrived so far.
    std::vector<double> RoundTrips() {
        std::lock_guard lock(mutex_);
        std::vector<double> trips;
        for (std::size_t i = 0; i < arrived_.size() && i < typed_.size(); ++i)
            trips.push_back(std::chrono::duration<double, std::milli>(arrived_[i] - typed_[i]).count());
        return trips;
    }
    std::size_t Typed() {
        std::lock_guard lock(mutex_);
        return typed_.size();
    }

private:
    void Type(QWidget* area) {
        auto next = Clock::now() + KeyInterval;
        while (!stopTyping_) {
            std::this_thread::sleep_until(next);
            next += KeyInterval;
            if (stopTyping_)
                break;
            {
                std::lock_guard lock(mutex_);
                typed_.push_back(Clock::now());
            }
            QCoreApplication::postEvent(area, new QKeyEvent(QEvent::KeyPress, Qt::Key_K,
                                                            Qt::NoModifier, QStringLiteral("k")));
        }
    }
    void Read(const PtyPair& pty) {
        char buffer[256];
        while (!stopReading_) {
            pollfd fd{pty.Master(), POLLIN, 0};
            if (::poll(&fd, 1, 50) <= 0)
                continue;
            const ssize_t n = ::read(pty.Master(), buffer, sizeof buffer);
            const auto now = Clock::now();
            std::lock_guard lock(mutex_);
            for (ssize_t i = 0; i < n; ++i) {
                if (buffer[i] == 'k')
                    arrived_.push_back(now);
            }
        }
    }

    std::mutex mutex_;
    std::vector<Clock::time_point> typed_;
    std::vector<Clock::time_point> arrived_;
    std::atomic<bool> stopTyping_{false};
    std::atomic<bool> stopReading_{false};
    std::thread typing_;
    std::thread reading_;
};

struct Result {
    std::string mode;
    bool paced = true;
    std::size_t written = 0;
    double writerSeconds = 0;
    double catchUpSeconds = -1;
    std::string rxCaption;
    std::size_t shown = 0;
    bool areaExact = false;
    bool saveExact = false;
    std::size_t saved = 0;
    double maxStallMs = 0;
    double p99StallMs = 0;
    std::size_t ticks = 0;
    // Gaps over LongStallMs: where the area stood when the timer ran again.
    std::vector<std::string> longStalls;
    double rssBeforeMb = 0;
    double rssAfterMb = 0;
    std::size_t keysTyped = 0;
    std::vector<double> keyTrips;
};

Result RunMode(bool hex, bool paced, std::chrono::seconds duration, const std::string& pattern) {
    Result r;
    r.mode = std::string(hex ? "hex" : "text") + (paced ? ", paced" : ", full rate");
    r.paced = paced;
    PtyPair pty;
    ScratchFolder folder;
    TestWindow w({pty.SlavePath()}, folder.Path());
    w->FormShow();
    w->Show();
    WaitFor([&] { return w->Com->PortOpen(); });
    if (!w->Com->PortOpen()) {
        std::fprintf(stderr, "%s: the window did not open %s\n", r.mode.c_str(),
                     pty.SlavePath().c_str());
        std::exit(2);
    }
    if (hex)
        w->cbHexDisplay->SetChecked(true);
    QCoreApplication::processEvents();
    r.rssBeforeMb = bench::ResidentMb();

    // Gaps between ticks of a 5 ms timer on the GUI thread, while data is coming.
    std::vector<double> gaps;
    gaps.reserve(static_cast<std::size_t>(duration.count()) * 1000 / TickMs * 2 + 1000);
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(TickMs);
    auto lastTick = Clock::now();
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const auto now = Clock::now();
        const double gap = std::chrono::duration<double, std::milli>(now - lastTick).count();
        gaps.push_back(gap);
        lastTick = now;
        if (gap > LongStallMs) {
            r.longStalls.push_back(std::to_string(static_cast<int>(gap)) + " ms at " +
                                   std::to_string(w->mmReceive->TextSize()) + " bytes shown");
        }
    });

    QEventLoop loop;
    QTimer poll;
    poll.setInterval(5);
    bool caughtUp = false;
    Clock::time_point caughtUpAt;
    std::string expectedCount;
    ticker.start();
    lastTick = Clock::now();
    PacedWriter writer(pty, pattern, duration, paced);
    Typist typist(QtWidgetOf(w->mmReceive), pty);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!writer.Done())
            return;
        typist.StopTyping();
        if (expectedCount.empty())
            expectedCount = CounterCaption(writer.Written());
        const std::size_t expectedShown = hex ? writer.Written() * 3 : writer.Written();
        if (w->lbRX->Caption() == expectedCount && w->mmReceive->TextSize() >= expectedShown) {
            caughtUp = true;
            caughtUpAt = Clock::now();
            loop.quit();
        } else if (Clock::now() - writer.Finished() > CatchUpDeadline) {
            loop.quit();
        }
    });
    poll.start();
    loop.exec();
    ticker.stop();
    poll.stop();

    typist.StopTyping();
    WaitFor([&] { return typist.RoundTrips().size() >= typist.Typed(); },
            std::chrono::seconds(10));
    r.keysTyped = typist.Typed();
    r.keyTrips = typist.RoundTrips();
    r.written = writer.Written();
    r.writerSeconds = std::chrono::duration<double>(writer.Finished() - writer.Started()).count();
    if (caughtUp)
        r.catchUpSeconds = std::chrono::duration<double>(caughtUpAt - writer.Finished()).count();
    // Let a last repaint run so the area is measured as it stands on screen.
    WaitFor([] { return false; }, std::chrono::milliseconds(100));
    r.rssAfterMb = bench::ResidentMb();
    r.rxCaption = w->lbRX->Caption();
    r.shown = w->mmReceive->TextSize();
    r.ticks = gaps.size();
    if (!gaps.empty()) {
        std::sort(gaps.begin(), gaps.end());
        r.maxStallMs = gaps.back();
        r.p99StallMs = gaps[std::min(gaps.size() - 1, gaps.size() * 99 / 100)];
    }

    {
        ExpectedText shown(pattern, r.written, hex);
        w->mmReceive->WriteText([&](std::string_view piece) { shown.Check(piece); });
        r.areaExact = shown.Same();

        const fs::path saveFolder = QCoreApplication::applicationDirPath().toStdString();
        const std::set<fs::path> before = SavedFiles(saveFolder);
        w->btnSaveDataClick();
        for (const fs::path& file : SavedFiles(saveFolder)) {
            if (before.count(file))
                continue;
            ExpectedText saved(pattern, r.written, hex);
            CheckFile(file, saved);
            r.saved = saved.Seen();
            r.saveExact = saved.Same();
            std::error_code ec;
            fs::remove(file, ec);
        }
    }
    return r;
}

void Print(const Result& r) {
    const double mb = static_cast<double>(r.written) / 1e6;
    // Counted modulo 2^32, as the counter wraps.
    const auto rx = static_cast<std::uint32_t>(std::strtoll(r.rxCaption.c_str(), nullptr, 10));
    const long long lost = static_cast<std::uint32_t>(static_cast<std::uint32_t>(r.written) - rx);
    std::printf("\n[%s]\n", r.mode.c_str());
    std::printf("  written            %zu bytes in %.2f s = %.3f MB/s (first to last slice)\n",
                r.written, r.writerSeconds, mb / r.writerSeconds);
    std::printf("  RX counter         %s  (lost %lld)\n", r.rxCaption.c_str(), lost);
    std::printf("  area holds         %zu bytes, equals expected: %s\n", r.shown,
                r.areaExact ? "yes" : "NO");
    std::printf("  saved file         %zu bytes, equals expected: %s\n", r.saved,
                r.saveExact ? "yes" : "NO");
    if (r.catchUpSeconds >= 0)
        std::printf("  caught up after    %.3f s past the writer's end (polled every 5 ms)\n",
                    r.catchUpSeconds);
    else
        std::printf("  caught up after    NOT within %lld s\n",
                    static_cast<long long>(CatchUpDeadline.count()));
    std::printf("  GUI stall          max %.1f ms, p99 %.1f ms (%zu ticks of %d ms)\n",
                r.maxStallMs, r.p99StallMs, r.ticks, TickMs);
    for (const std::string& stall : r.longStalls)
        std::printf("    stall %s\n", stall.c_str());
    std::printf("  RSS                %.1f MB -> %.1f MB: %.2f bytes per byte received\n",
                r.rssBeforeMb, r.rssAfterMb,
                r.written ? (r.rssAfterMb - r.rssBeforeMb) * 1e6 / static_cast<double>(r.written)
                          : 0.0);
    std::vector<double> trips = r.keyTrips;
    std::sort(trips.begin(), trips.end());
    if (trips.empty())
        std::printf("  key round trip     none of %zu keys arrived\n", r.keysTyped);
    else
        std::printf("  key round trip     %zu of %zu keys: median %.1f ms, max %.1f ms\n",
                    trips.size(), r.keysTyped, trips[trips.size() / 2], trips.back());
}

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    // Made here, so that key events made on the typing thread find it.
    (void)QInputDevice::primaryKeyboard();
    const long seconds = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 30;
    const std::string modes = argc > 2 ? argv[2] : "both";
    const std::string rates = argc > 3 ? argv[3] : "both";
    const auto duration = std::chrono::seconds(seconds > 0 ? seconds : 30);

    std::printf("window receive bench: %lld s per mode, %zu bytes every %lld ms (%.2f MB/s)\n",
                static_cast<long long>(duration.count()), SliceBytes,
                static_cast<long long>(SliceInterval.count()),
                static_cast<double>(SliceBytes) / 1e6 * 1000.0 /
                    static_cast<double>(SliceInterval.count()));
    std::printf("load average at start: %s\n", bench::LoadAverage().c_str());
    std::fflush(stdout);

    const std::string pattern = MakePattern();
    bool ok = true;
    for (const bool paced : {true, false}) {
        if (rates != "both" && rates != (paced ? "paced" : "full"))
            continue;
        for (const bool hex : {false, true}) {
            if (modes != "both" && modes != (hex ? "hex" : "text"))
                continue;
            const Result r = RunMode(hex, paced, duration, pattern);
            Print(r);
            std::fflush(stdout);
            ok = ok && r.areaExact && r.saveExact && r.rxCaption == CounterCaption(r.written);
        }
    }
    std::printf("\nload average at end: %s\n", bench::LoadAverage().c_str());
    return ok ? 0 : 1;
}
