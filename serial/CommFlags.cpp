#include "serial/CommFlags.h"

namespace pellow {

std::uint32_t DtrControlValue(TDtrControl v) {
    switch (v) {
    case TDtrControl::DtrEnable:
        return DTR_CONTROL_ENABLE;
    case TDtrControl::DtrDisable:
        return DTR_CONTROL_DISABLE;
    case TDtrControl::DtrHandshake:
        return DTR_CONTROL_HANDSHAKE;
    }
    return DTR_CONTROL_DISABLE;
}

std::uint32_t RtsControlValue(TRtsControl v) {
    switch (v) {
    case TRtsControl::RtsEnable:
        return RTS_CONTROL_ENABLE;
    case TRtsControl::RtsDisable:
        return RTS_CONTROL_DISABLE;
    case TRtsControl::RtsHandshake:
        return RTS_CONTROL_HANDSHAKE;
    case TRtsControl::RtsTransmissionAvailable:
        return RTS_CONTROL_TOGGLE;
    }
    return RTS_CONTROL_DISABLE;
}

std::uint32_t DcbFlags(const LineSettings& s) {
    using namespace DcbFlag;
    std::uint32_t flags = fBinary; // always
    const auto set = [&flags](bool on, std::uint32_t mask) {
        if (on) {
            flags |= mask;
        }
    };
    set(s.parityCheck, fParity);
    set(s.outxCtsFlow, fOutxCtsFlow);
    set(s.outxDsrFlow, fOutxDsrFlow);
    flags |= DtrControlValue(s.dtrControl) << 4;
    set(s.dsrSensitivity, fDsrSensitivity);
    set(s.txContinueOnXoff, fTXContinueOnXoff);
    set(s.outxXonXoffFlow, fOutX);
    set(s.inxXonXoffFlow, fInX);
    set(s.replaceWhenParityError, fErrorChar);
    set(s.ignoreNullChar, fNull);
    flags |= RtsControlValue(s.rtsControl) << 12;
    return flags;
}

} // namespace pellow
