#include "serial/posix/LineCounters.h"

#include <gtest/gtest.h>

using namespace pellow;

TEST(LineCounters, GrowthBecomesEvents) {
    struct Case {
        const char* name;
        LineCounters after;
        bool parityCheck;
        std::uint32_t errors;
        std::uint32_t modem;
    } const cases[] = {
        {"nothing", {}, true, 0, 0},
        {"framing", {.frame = 1}, false, CE_FRAME, 0},
        {"parity checked", {.parity = 2}, true, CE_RXPARITY, 0},
        {"parity unchecked", {.parity = 2}, false, 0, 0},
        {"overrun", {.overrun = 1}, false, CE_OVERRUN, 0},
        {"buffer overrun", {.bufferOverrun = 1}, false, CE_RXOVER, 0},
        {"break", {.breaks = 1}, false, CE_BREAK, 0},
        {"carrier", {.carrier = 1}, false, 0, MODEM_EVENT_CARRIER},
        {"ring", {.ring = 1}, false, 0, MODEM_EVENT_RING},
        {"carrier and ring", {.carrier = 3, .ring = 1}, false, 0, 12},
        {"frame and carrier", {.frame = 1, .carrier = 1}, false, CE_FRAME, MODEM_EVENT_CARRIER},
    };
    for (const auto& c : cases) {
        const LineEvents e = LineEventsBetween(LineCounters{}, c.after, c.parityCheck);
        EXPECT_EQ(e.errors, c.errors) << c.name;
        EXPECT_EQ(e.modem, c.modem) << c.name;
    }
}

TEST(LineCounters, CounterWrapStillCounts) {
    LineCounters before;
    before.frame = 0xFFFFFFFF;
    LineCounters after;
    after.frame = 0;
    EXPECT_EQ(LineEventsBetween(before, after, false).errors, CE_FRAME);
}
