#include "serial/CommFlags.h"
#include "serial/win32/DcbMapping.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstring>

using namespace pellow;

namespace {

// The control block's 32-bit flags word, as the device driver reads it.
std::uint32_t FlagsWord(const DCB& dcb) {
    std::uint32_t word = 0;
    std::memcpy(&word, reinterpret_cast<const char*>(&dcb) + offsetof(DCB, BaudRate) + sizeof(DWORD),
                sizeof word);
    return word;
}

// A block as a device might hand it over: every bit set.
DCB DeviceBlock() {
    DCB dcb;
    std::memset(&dcb, 0xFF, sizeof dcb);
    dcb.DCBlength = sizeof dcb;
    return dcb;
}

} // namespace

TEST(FillDcb, FlagsWordIsTheEnginesWordWithEverythingAboveItCleared) {
    LineSettings everything;
    everything.parityCheck = true;
    everything.outxCtsFlow = true;
    everything.outxDsrFlow = true;
    everything.dtrControl = TDtrControl::DtrHandshake;
    everything.dsrSensitivity = true;
    everything.replaceWhenParityError = true;
    everything.ignoreNullChar = true;
    everything.rtsControl = TRtsControl::RtsTransmissionAvailable;
    LineSettings windowConfiguration;
    windowConfiguration.outxXonXoffFlow = false;
    windowConfiguration.inxXonXoffFlow = false;
    LineSettings linesOff = windowConfiguration;
    linesOff.dtrControl = TDtrControl::DtrDisable;
    linesOff.rtsControl = TRtsControl::RtsDisable;

    for (const LineSettings& s : {LineSettings{}, everything, windowConfiguration, linesOff}) {
        DCB dcb = DeviceBlock();
        FillDcb(dcb, s);
        EXPECT_EQ(FlagsWord(dcb), DcbFlags(s));
    }
    DCB dcb = DeviceBlock();
    FillDcb(dcb, windowConfiguration);
    EXPECT_EQ(FlagsWord(dcb), 0x1091u);
    EXPECT_EQ(dcb.fAbortOnError, 0u);
}

TEST(FillDcb, FieldsTakeTheSettingsAndTheRestKeepTheDevicesValues) {
    LineSettings s;
    s.baudRate = 56000;
    s.xonLimit = 100;
    s.xoffLimit = 200;
    s.byteSize = TByteSize::_5;
    s.parity = TParity::Mark;
    s.stopBits = TStopBits::_1_5;
    s.xonChar = 'Q';
    s.xoffChar = 'S';
    s.replacedChar = '\xFF';
    DCB dcb = DeviceBlock();
    FillDcb(dcb, s);
    EXPECT_EQ(dcb.BaudRate, 56000u);
    EXPECT_EQ(dcb.XonLim, 100);
    EXPECT_EQ(dcb.XoffLim, 200);
    EXPECT_EQ(dcb.ByteSize, 5);
    EXPECT_EQ(dcb.Parity, MARKPARITY);
    EXPECT_EQ(dcb.StopBits, ONE5STOPBITS);
    EXPECT_EQ(dcb.XonChar, 'Q');
    EXPECT_EQ(dcb.XoffChar, 'S');
    EXPECT_EQ(dcb.ErrorChar, '\xFF');
    EXPECT_EQ(dcb.EofChar, '\xFF');
    EXPECT_EQ(dcb.EvtChar, '\xFF');
    EXPECT_EQ(dcb.wReserved, 0xFFFF);
    EXPECT_EQ(dcb.wReserved1, 0xFFFF);
}
