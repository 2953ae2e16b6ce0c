// A file sent through the whole window to the loopback port loop://, which carries each
// byte in the line's time (ten bits at the rate) and echoes it: for every rate of the
// rate box, when the progress says "Finished." against when the last byte came back.
// The file is sized to take about the same line time at every rate.
//
// Usage: file_send_pace_bench [seconds of line time per rate, default 2]
//
// The last byte reaches the window once the reader's read ends, which is a pause of more
// than the read interval (100 ms) after it came round the loop.

#include "WindowTestSupport.h"

#include "receive/ReceiveView.h"

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

namespace {

using namespace pellow;
using namespace pellow::test;
using Clock = std::chrono::steady_clock;

struct Result {
    int rate = 0;
    std::size_t size = 0;
    std::string estimate;
    std::optional<double> finished; // seconds after the click on "Send file"
    std::optional<double> lastByte;
    bool echoExact = false;
    std::string tx;
};

double SecondsSince(Clock::time_point start, Clock::time_point at) {
    return std::chrono::duration<double>(at - start).count();
}

Result SendAtRate(TestWindow& w, const ScratchFolder& folder, int rateIndex, double seconds) {
    Result r;
    // The rate reaches the port when it opens.
    w->btnCOMClick();
    w->cbBPS->SetItemIndex(rateIndex);
    w->btnCOMClick();
    r.rate = std::stoi(w->cbBPS->Text());
    r.size = std::max<std::size_t>(10, static_cast<std::size_t>(r.rate / 10.0 * seconds));

    std::string content(r.size, '\0');
    for (std::size_t i = 0; i < content.size(); ++i)
        content[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
    const std::string path = (folder.Path() / ("pace-" + std::to_string(r.rate) + ".bin")).string();
    std::ofstream(path, std::ios::binary) << content;

    Clock::time_point clicked;
    std::string echoed;
    Clock::time_point lastByteAt;
    Clock::time_point finishedAt;
    bool finished = false;
    const auto show = w->Com->OnReceiveData;
    w->Com->OnReceiveData = [&](TComm* sender, const char* buffer, std::uint16_t length) {
        echoed.append(buffer, length);
        if (echoed.size() >= content.size() && lastByteAt == Clock::time_point())
            lastByteAt = Clock::now();
        show(sender, buffer, length);
    };
    w->tmSendFile->OnTimer = [&] {
        w->tmSendFileTimer();
        if (!finished && !w->tmSendFile->Enabled()) {
            finished = true;
            finishedAt = Clock::now();
        }
    };
    w->feFileName->RunDialog = [&](const std::string&) { return path; };
    w->Dispatcher.Run([&] { w->btnSelFileClick(); });
    clicked = Clock::now();
    w->Dispatcher.Run([&] { w->btnSendFileClick(); });
    const std::string shown(w->mmReceive->Bytes());
    const std::size_t at = shown.find("Need about ");
    r.estimate = at == std::string::npos ? "?" : shown.substr(at, shown.find('\r', at) - at);

    const auto deadline = std::chrono::milliseconds(static_cast<long>(seconds * 3000) + 10000);
    WaitFor([&] { return finished && lastByteAt != Clock::time_point(); }, deadline);
    if (finished)
        r.finished = SecondsSince(clicked, finishedAt);
    if (lastByteAt != Clock::time_point())
        r.lastByte = SecondsSince(clicked, lastByteAt);
    r.echoExact = echoed == content;
    r.tx = w->lbTX->Caption();
    w->lbTX->SetCaption("0");
    w->lbRX->SetCaption("0");
    w->Com->OnReceiveData = show;
    return r;
}

} // namespace

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM"))
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    const double seconds = argc > 1 ? std::strtod(argv[1], nullptr) : 2.0;

    ScratchFolder folder;
    TestWindow w({"loop://"}, folder.Path());
    w->FormShow();
    if (w->btnCOM->Caption() != "CLOSE") {
        std::fprintf(stderr, "loop:// did not open\n");
        return 2;
    }

    std::printf("file sending to loop://, about %.1f s of line time per rate; times from the "
                "click on Send file\n\n",
                seconds);
    std::printf("%7s %7s %8s  %-22s %10s %10s %11s %11s\n", "rate", "bytes", "line s",
                "estimate line", "Finished.", "last byte", "Fin - line", "last - Fin");
    bool ok = true;
    const int rates = static_cast<int>(w->cbBPS->Items().size());
    for (int i = 0; i < rates; ++i) {
        const Result r = SendAtRate(w, folder, i, seconds);
        const double line = static_cast<double>(r.size) * 10.0 / r.rate;
        const auto text = [](const std::optional<double>& s) {
            return s ? std::to_string(*s).substr(0, 6) : std::string("never");
        };
        std::printf("%7d %7zu %8.3f  %-22s %10s %10s", r.rate, r.size, line, r.estimate.c_str(),
                    text(r.finished).c_str(), text(r.lastByte).c_str());
        if (r.finished && r.lastByte)
            std::printf(" %+9.0fms %+9.0fms", (*r.finished - line) * 1000,
                        (*r.lastByte - *r.finished) * 1000);
        const bool right = r.echoExact && r.tx == std::to_string(r.size);
        std::printf("%s\n", right ? "" : "  (echo or TX wrong)");
        std::fflush(stdout);
        ok = ok && r.finished && r.lastByte && right;
    }
    return ok ? 0 : 1;
}
