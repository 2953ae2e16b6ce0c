// The far end of a serial line that goes away in the middle of a stream: a fresh
// pseudo-terminal whose slave path is written to a file for the program under test to
// open. It then streams bytes into the line and reads what comes back, both as fast as the
// line takes them. Once both directions have carried `bytes` it writes "streaming" to
// standard output; on SIGTERM after that it closes the master at once, in the middle of
// the stream, as an unplugged adapter vanishes. It prints what it wrote and read.
// Given a pace, it writes no faster than that many bytes a second, as a real line would.
//
// Usage: pty_far_end PATH_FILE [BYTES each way, default 65536] [SECONDS to wait, default 60]
//                    [PACE in bytes a second, default 0: as fast as the line takes them]
// Exit status: 0 after the unplug, 3 when the stream did not get going in time.

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <csignal>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

volatile std::sig_atomic_t unplug = 0;

// Publishes the slave's path whole: the reader never sees a half-written file.
bool PublishPath(const std::string& file, const char* slave) {
    const std::string temp = file + ".part";
    FILE* out = std::fopen(temp.c_str(), "w");
    if (out == nullptr)
        return false;
    const bool ok = std::fputs(slave, out) >= 0;
    return (std::fclose(out) == 0) && ok && std::rename(temp.c_str(), file.c_str()) == 0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PATH_FILE [BYTES] [SECONDS]\n", argv[0]);
        return 2;
    }
    const long long target = argc > 2 ? std::atoll(argv[2]) : 65536;
    const int seconds = argc > 3 ? std::atoi(argv[3]) : 60;
    const long long pace = argc > 4 ? std::atoll(argv[4]) : 0;

    const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) {
        std::perror("posix_openpt");
        return 2;
    }
    const char* slave = ::ptsname(master);
    if (slave == nullptr || !PublishPath(argv[1], slave)) {
        std::perror("publishing the slave path");
        return 2;
    }

    struct sigaction action {};
    action.sa_handler = [](int) { unplug = 1; };
    ::sigaction(SIGTERM, &action, nullptr);

    char out[4096];
    for (std::size_t i = 0; i < sizeof out; ++i)
        out[i] = static_cast<char>('A' + i % 26);
    char in[4096];
    long long written = 0;
    long long read = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    bool streaming = false;
    std::chrono::steady_clock::time_point first_read{};
    // Whether the pace lets the next piece go now, counted from the first byte read back.
    const auto may_write = [&] {
        if (pace <= 0 || read == 0)
            return true;
        const std::chrono::duration<double> since = std::chrono::steady_clock::now() - first_read;
        return static_cast<double>(written) < since.count() * static_cast<double>(pace);
    };
    while (!(streaming && unplug)) {
        if (!streaming && written >= target && read >= target) {
            streaming = true;
            std::printf("streaming\n");
            std::fflush(stdout);
        }
        if (!streaming && std::chrono::steady_clock::now() > deadline) {
            std::printf("stream did not get going: wrote %lld, read %lld\n", written, read);
            return 3;
        }
        const bool paced_out = !may_write();
        pollfd p{master, static_cast<short>(paced_out ? POLLIN : POLLIN | POLLOUT), 0};
        ::poll(&p, 1, paced_out ? 5 : 50);
        if (p.revents & POLLHUP) {
            // Nobody holds the slave yet (or any more): nothing moves, so do not spin.
            ::usleep(20000);
            continue;
        }
        if (p.revents & POLLIN) {
            const ssize_t n = ::read(master, in, sizeof in);
            if (read == 0 && n > 0)
                first_read = std::chrono::steady_clock::now();
            read += n > 0 ? n : 0;
        }
        // Bytes written before the program opens the line are discarded at its opening,
        // so only what is written while it reads counts towards the stream.
        if ((p.revents & POLLOUT) && read > 0) {
            const ssize_t n = ::write(master, out, sizeof out);
            written += n > 0 ? n : 0;
        }
    }
    ::close(master);
    std::printf("unplugged after writing %lld and reading %lld bytes\n", written, read);
    return 0;
}
