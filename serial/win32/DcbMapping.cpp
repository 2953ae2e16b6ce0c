#include "serial/win32/DcbMapping.h"

#include "serial/CommFlags.h"

namespace pellow {

void FillDcb(DCB& dcb, const LineSettings& s) {
    using namespace DcbFlag;
    const std::uint32_t flags = DcbFlags(s);
    const auto bit = [flags](std::uint32_t mask) -> DWORD { return (flags & mask) != 0 ? 1 : 0; };

    dcb.BaudRate = s.baudRate;
    dcb.fBinary = bit(fBinary);
    dcb.fParity = bit(fParity);
    dcb.fOutxCtsFlow = bit(fOutxCtsFlow);
    dcb.fOutxDsrFlow = bit(fOutxDsrFlow);
    dcb.fDtrControl = DtrControlField(flags);
    dcb.fDsrSensitivity = bit(fDsrSensitivity);
    dcb.fTXContinueOnXoff = bit(fTXContinueOnXoff);
    dcb.fOutX = bit(fOutX);
    dcb.fInX = bit(fInX);
    dcb.fErrorChar = bit(fErrorChar);
    dcb.fNull = bit(fNull);
    dcb.fRtsControl = RtsControlField(flags);
    dcb.fAbortOnError = 0;
    dcb.fDummy2 = 0;

    dcb.XonLim = s.xonLimit;
    dcb.XoffLim = s.xoffLimit;
    dcb.ByteSize = static_cast<BYTE>(static_cast<int>(s.byteSize) + 5);
    dcb.Parity = static_cast<BYTE>(s.parity);
    dcb.StopBits = static_cast<BYTE>(s.stopBits);
    dcb.XonChar = s.xonChar;
    dcb.XoffChar = s.xoffChar;
    dcb.ErrorChar = s.replacedChar;
}

COMMTIMEOUTS MakeCommTimeouts(const CommTimeouts& t) {
    return {t.readInterval, t.readTotalMultiplier, t.readTotalConstant, t.writeTotalMultiplier,
            t.writeTotalConstant};
}

} // namespace pellow
