#pragma once
// The line settings and timeouts of a port as one plain value, the way a device layer
// receives them: TComm copies its properties into these before every re-application.

#include "serial/CommTypes.h"

#include <cstdint>

namespace pellow {

struct LineSettings {
    std::uint32_t baudRate = 9600;
    bool parityCheck = false;
    bool outxCtsFlow = false;
    bool outxDsrFlow = false;
    TDtrControl dtrControl = TDtrControl::DtrEnable;
    bool dsrSensitivity = false;
    bool txContinueOnXoff = true;
    bool outxXonXoffFlow = true;
    bool inxXonXoffFlow = true;
    bool replaceWhenParityError = false;
    bool ignoreNullChar = false;
    TRtsControl rtsControl = TRtsControl::RtsEnable;
    std::uint16_t xonLimit = 500;
    std::uint16_t xoffLimit = 500;
    TByteSize byteSize = TByteSize::_8;
    TParity parity = TParity::None;
    TStopBits stopBits = TStopBits::_1;
    char xonChar = 17;
    char xoffChar = 19;
    char replacedChar = 0;
};

// Milliseconds, with the meanings of the classic communications timeout record: a read
// ends when more than readInterval passes after a byte without another one (0: no
// interval limit), or when readTotalMultiplier * requested + readTotalConstant has passed
// since it began (both 0: no total limit). Writes likewise with the write pair.
struct CommTimeouts {
    std::uint32_t readInterval = 100;
    std::uint32_t readTotalMultiplier = 0;
    std::uint32_t readTotalConstant = 0;
    std::uint32_t writeTotalMultiplier = 0;
    std::uint32_t writeTotalConstant = 0;
};

} // namespace pellow
