#include "serial/posix/LineCounters.h"

#include "serial/CommTypes.h"

#include <cerrno>
#include <linux/serial.h>
#include <sys/ioctl.h>

namespace pellow {

LineEvents LineEventsBetween(const LineCounters& before, const LineCounters& after,
                             bool parityCheck) {
    LineEvents events;
    if (after.frame != before.frame) {
        events.errors |= CE_FRAME;
    }
    if (parityCheck && after.parity != before.parity) {
        events.errors |= CE_RXPARITY;
    }
    if (after.overrun != before.overrun) {
        events.errors |= CE_OVERRUN;
    }
    if (after.bufferOverrun != before.bufferOverrun) {
        events.errors |= CE_RXOVER;
    }
    if (after.breaks != before.breaks) {
        events.errors |= CE_BREAK;
    }
    if (after.ring != before.ring) {
        events.modem |= MODEM_EVENT_RING;
    }
    if (after.carrier != before.carrier) {
        events.modem |= MODEM_EVENT_CARRIER;
    }
    return events;
}

CounterRead ReadLineCounters(int fd, LineCounters& counters) {
    serial_icounter_struct ic{};
    if (::ioctl(fd, TIOCGICOUNT, &ic) != 0) {
        // Pseudo-terminals and many USB adapters keep no counters and say so in various
        // ways; only a device that has gone away is a failure.
        return errno == EIO || errno == EBADF || errno == ENODEV ? CounterRead::Failed
                                                                 : CounterRead::Unsupported;
    }
    counters.frame = static_cast<std::uint32_t>(ic.frame);
    counters.parity = static_cast<std::uint32_t>(ic.parity);
    counters.overrun = static_cast<std::uint32_t>(ic.overrun);
    counters.bufferOverrun = static_cast<std::uint32_t>(ic.buf_overrun);
    counters.breaks = static_cast<std::uint32_t>(ic.brk);
    counters.carrier = static_cast<std::uint32_t>(ic.dcd);
    counters.ring = static_cast<std::uint32_t>(ic.rng);
    return CounterRead::Ok;
}

} // namespace pellow
