#include "serial/CommFlags.h"

#include <gtest/gtest.h>

using namespace pellow;

namespace {

LineSettings WindowConfiguration() {
    LineSettings s;
    s.baudRate = 1200;
    s.outxXonXoffFlow = false;
    s.inxXonXoffFlow = false;
    return s;
}

struct FlagsCase {
    const char* name;
    LineSettings settings;
    std::uint32_t flags;
};

LineSettings With(LineSettings s, void (*change)(LineSettings&)) {
    change(s);
    return s;
}

} // namespace

TEST(DcbFlags, WorkedWords) {
    const FlagsCase cases[] = {
        {"window configuration", WindowConfiguration(), 0x1091},
        {"DTR cleared",
         With(WindowConfiguration(),
              [](LineSettings& s) { s.dtrControl = TDtrControl::DtrDisable; }),
         0x1081},
        {"RTS cleared",
         With(WindowConfiguration(),
              [](LineSettings& s) { s.rtsControl = TRtsControl::RtsDisable; }),
         0x0091},
        {"both cleared",
         With(WindowConfiguration(),
              [](LineSettings& s) {
                  s.dtrControl = TDtrControl::DtrDisable;
                  s.rtsControl = TRtsControl::RtsDisable;
              }),
         0x0081},
        {"construction defaults", LineSettings{}, 0x1391},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DcbFlags(c.settings), c.flags) << c.name;
    }
}

TEST(DcbFlags, EachSettingOwnsItsBits) {
    LineSettings none;
    none.txContinueOnXoff = false;
    none.outxXonXoffFlow = false;
    none.inxXonXoffFlow = false;
    none.dtrControl = TDtrControl::DtrDisable;
    none.rtsControl = TRtsControl::RtsDisable;
    ASSERT_EQ(DcbFlags(none), 0x0001u) << "binary mode is always on";

    const FlagsCase cases[] = {
        {"parity check", With(none, [](LineSettings& s) { s.parityCheck = true; }), 0x0003},
        {"CTS flow", With(none, [](LineSettings& s) { s.outxCtsFlow = true; }), 0x0005},
        {"DSR flow", With(none, [](LineSettings& s) { s.outxDsrFlow = true; }), 0x0009},
        {"DTR handshake",
         With(none, [](LineSettings& s) { s.dtrControl = TDtrControl::DtrHandshake; }), 0x0021},
        {"DSR sensitivity", With(none, [](LineSettings& s) { s.dsrSensitivity = true; }), 0x0041},
        {"error char", With(none, [](LineSettings& s) { s.replaceWhenParityError = true; }),
         0x0401},
        {"null stripping", With(none, [](LineSettings& s) { s.ignoreNullChar = true; }), 0x0801},
        {"RTS handshake",
         With(none, [](LineSettings& s) { s.rtsControl = TRtsControl::RtsHandshake; }), 0x2001},
        {"RTS toggle",
         With(none, [](LineSettings& s) { s.rtsControl = TRtsControl::RtsTransmissionAvailable; }),
         0x3001},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DcbFlags(c.settings), c.flags) << c.name;
    }
}
