// The whole window, offscreen, carrying a long stream each way through a pseudo-terminal
// at the far end's fastest pace: the far end writes and reads as fast as the line lets
// it, the window shows what comes in as hex pairs and sends with its Send button, one
// piece of the send area at a time. Every byte must arrive exactly and in order at both
// ends, and the RX and TX counters must equal the byte counts.
//
// Both streams are pseudo-random over every byte value, with two exceptions the window's
// settings impose: the window keeps software flow control on, so the stream it receives
// holds no XON (0x11) or XOFF (0x13), and the send sequence trims bytes up to 0x20 at the
// ends of what it sends, so each piece of the other stream begins and ends with a byte
// above that.
//
// Usage: soak_window_stream [MiB each way, default 100] [MiB per Send, default 1]

#include "ProcessFigures.h"
#include "SoakWindow.h"

#include "receive/ReceiveView.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

using namespace pellow;
using namespace pellow::test;
using Clock = std::chrono::steady_clock;

constexpr std::size_t MiB = 1 << 20;
// Pieces handed over but not yet read at the far end, at most; keeps the writer's queue
// and the memory it holds small while the line is never left idle.
constexpr std::size_t AheadPieces = 4;

std::uint64_t Mix(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ull;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

// Byte `at` of a pseudo-random stream.
unsigned char RandomByte(std::uint64_t seed, std::uint64_t at) {
    return static_cast<unsigned char>(Mix(seed * 0x100000001B3ull + at / 8) >> (8 * (at % 8)));
}

// What the far end writes: every value but XON and XOFF.
char ReceivedByte(std::uint64_t at) {
    const unsigned char b = RandomByte(1, at);
    return static_cast<char>(b == 0x11 || b == 0x13 ? b + 1 : b);
}

// What the window sends, in pieces of `piece` bytes whose first and last bytes stay
// clear of the trimmed range.
char SentByte(std::uint64_t at, std::size_t piece) {
    const unsigned char b = RandomByte(2, at);
    const std::size_t in = at % piece;
    return static_cast<char>((in == 0 || in == piece - 1) && b <= 0x20 ? b + 0x60 : b);
}

std::string CounterOf(std::uint64_t bytes) {
    return std::to_string(static_cast<std::int32_t>(static_cast<std::uint32_t>(bytes)));
}

// The far end: writes the received stream whole and reads the sent one, checking each
// byte on arrival, on threads of its own.
class FarEnd {
public:
    FarEnd(const Pty& pty, std::uint64_t bytes, std::size_t piece)
        : pty_(pty), bytes_(bytes), piece_(piece), writer_([this] { WriteAll(); }),
          reader_([this] { ReadAll(); }) {}
    ~FarEnd() {
        stop_ = true;
        writer_.join();
        reader_.join();
    }
    FarEnd(const FarEnd&) = delete;
    FarEnd& operator=(const FarEnd&) = delete;

    std::uint64_t Written() const { return written_.load(); }
    std::uint64_t ReadSoFar() const { return read_.load(); }
    // Offset of the first byte that arrived wrong, or -1.
    std::int64_t FirstWrong() const { return firstWrong_.load(); }
    Clock::time_point WriterDone() const { return writerDone_; }

private:
    void WriteAll() {
        std::string block(64 * 1024, '\0');
        std::uint64_t at = 0;
        while (at < bytes_ && !stop_) {
            const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(block.size(), bytes_ - at));
            for (std::size_t i = 0; i < n; ++i)
                block[i] = ReceivedByte(at + i);
            std::size_t done = 0;
            while (done < n && !stop_)
                done += pty_.WriteSome(block.data() + done, n - done, std::chrono::milliseconds(50));
            at += done;
            written_ = at;
        }
        writerDone_ = Clock::now();
    }
    void ReadAll() {
        char buffer[64 * 1024];
        std::uint64_t at = 0;
        while (!stop_) {
            pollfd p{pty_.Master(), POLLIN, 0};
            if (::poll(&p, 1, 50) <= 0 || !(p.revents & POLLIN))
                continue;
            const ssize_t n = ::read(pty_.Master(), buffer, sizeof buffer);
            for (ssize_t i = 0; i < n; ++i, ++at) {
                if (buffer[i] != SentByte(at, piece_) && firstWrong_ < 0)
                    firstWrong_ = static_cast<std::int64_t>(at);
            }
            read_ = at;
        }
    }

    const Pty& pty_;
    const std::uint64_t bytes_;
    const std::size_t piece_;
    std::atomic<bool> stop_{false};
    std::atomic<std::uint64_t> written_{0};
    std::atomic<std::uint64_t> read_{0};
    std::atomic<std::int64_t> firstWrong_{-1};
    Clock::time_point writerDone_;
    std::thread writer_;
    std::thread reader_;
};

// Compares the area's hex pairs with the received stream, piece by piece.
struct HexCheck {
    std::uint64_t seen = 0;
    bool same = true;
    void operator()(std::string_view piece) {
        static constexpr char digits[] = "0123456789ABCDEF";
        for (const char c : piece) {
            const auto byte = static_cast<unsigned char>(ReceivedByte(seen / 3));
            const char expected =
                seen % 3 == 0 ? digits[byte >> 4] : seen % 3 == 1 ? digits[byte & 15] : ' ';
            same = same && c == expected;
            ++seen;
        }
    }
};

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    const double mib = argc > 1 ? std::strtod(argv[1], nullptr) : 100;
    const double pieceMib = argc > 2 ? std::strtod(argv[2], nullptr) : 1;
    const auto piece = std::max<std::size_t>(2, static_cast<std::size_t>(pieceMib * MiB));
    // Whole pieces only, so that the stream's last byte ends a piece too.
    const std::uint64_t bytes = std::max<std::uint64_t>(1, static_cast<std::uint64_t>(mib * MiB) / piece) * piece;
    std::printf("window stream soak: %llu bytes each way, Send pieces of %zu bytes, load %s\n",
                static_cast<unsigned long long>(bytes), piece, bench::LoadAverage().c_str());
    std::fflush(stdout);

    const bench::SoakWindow soak;
    if (!soak.Opened()) {
        std::printf("the window opened none of the pseudo-terminals it tried\n");
        return 2;
    }
    TestWindow& w = soak.Window();
    const Pty& pty = soak.Pty();
    w->Show();
    w->cbHexDisplay->SetChecked(true);
    const double rssBefore = bench::ResidentMb();

    const auto started = Clock::now();
    FarEnd far(pty, bytes, piece);
    std::uint64_t handed = 0;
    double longestSendMs = 0;
    QEventLoop loop;
    QTimer tick;
    tick.setInterval(2);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        if (handed < bytes && handed < far.ReadSoFar() + AheadPieces * piece) {
            const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(piece, bytes - handed));
            std::string text(n, '\0');
            for (std::size_t i = 0; i < n; ++i)
                text[i] = SentByte(handed + i, piece);
            w->mmSendData->SetText(text);
            const auto pressed = Clock::now();
            w->btnSendDataClick();
            longestSendMs = std::max(longestSendMs,
                std::chrono::duration<double, std::milli>(Clock::now() - pressed).count());
            handed += n;
        }
        const bool received = w->lbRX->Caption() == CounterOf(bytes) &&
                              w->mmReceive->TextSize() >= 3 * bytes;
        if ((received && far.ReadSoFar() >= bytes) || far.FirstWrong() >= 0 ||
            Clock::now() - started > std::chrono::minutes(30))
            loop.quit();
    });
    tick.start();
    loop.exec();
    tick.stop();
    const double seconds = std::chrono::duration<double>(Clock::now() - started).count();

    HexCheck area;
    w->mmReceive->WriteText(std::ref(area));
    const bool areaExact = area.same && area.seen == 3 * bytes;
    const bool rxExact = w->lbRX->Caption() == CounterOf(bytes);
    const bool txExact = w->lbTX->Caption() == CounterOf(bytes);
    const bool farExact = far.FirstWrong() < 0 && far.ReadSoFar() == bytes;

    std::printf("  in:  far end wrote %llu bytes in %.1f s; RX counter %s; area %llu hex characters,"
                " exact: %s\n",
                static_cast<unsigned long long>(far.Written()),
                std::chrono::duration<double>(far.WriterDone() - started).count(),
                w->lbRX->Caption().c_str(), static_cast<unsigned long long>(area.seen),
                areaExact ? "yes" : "NO");
    std::printf("  out: Send pressed for %llu bytes; TX counter %s; far end read %llu bytes,"
                " exact: %s%s\n",
                static_cast<unsigned long long>(handed), w->lbTX->Caption().c_str(),
                static_cast<unsigned long long>(far.ReadSoFar()), farExact ? "yes" : "NO",
                far.FirstWrong() >= 0
                    ? (" (first wrong byte at " + std::to_string(far.FirstWrong()) + ")").c_str()
                    : "");
    std::printf("  both ways done in %.1f s (%.1f MB/s each way); longest Send press %.0f ms;"
                " RSS %.0f MB -> %.0f MB; load %s\n",
                seconds, static_cast<double>(bytes) / 1e6 / seconds, longestSendMs, rssBefore,
                bench::ResidentMb(), bench::LoadAverage().c_str());
    const bool ok = areaExact && rxExact && txExact && farExact;
    std::printf("%s\n", ok ? "every byte arrived exactly, in order, both ways" : "FAILED");
    return ok ? 0 : 1;
}
