#include "serial/CommFlags.h"

namespace pellow {

std::uint32_t DtrControlValue(TDtrControl v) {
    switch (v) {
    case TDtrControl::DtrEnable:
        return 1;
    case TDtrControl::DtrDisable:
        return 0;
    case TDtrControl::DtrHandshake:
        return 2;
    }
    return 0;
}

std::uint32_t RtsControlValue(TRtsControl v) {
    switch (v) {
    case TRtsControl::RtsEnable:
        return 1;
    case TRtsControl::RtsDisable:
        return 0;
    case TRtsControl::RtsHandshake:
        return 2;
    case TRtsControl::RtsTransmissionAvailable:
        return 3;
    }
    return 0;
}

std::uint32_t DcbFlags(const LineSettings& s) {
    std::uint32_t flags = 0x0001; // binary mode, always
    if (s.parityCheck) {
        flags |= 0x0002;
    }
    if (s.outxCtsFlow) {
        flags |= 0x0004;
    }
    if (s.outxDsrFlow) {
        flags |= 0x0008;
    }
    flags |= DtrControlValue(s.dtrControl) << 4;
    if (s.dsrSensitivity) {
        flags |= 0x0040;
    }
    if (s.txContinueOnXoff) {
        flags |= 0x0080;
    }
    if (s.outxXonXoffFlow) {
        flags |= 0x0100;
    }
    if (s.inxXonXoffFlow) {
        flags |= 0x0200;
    }
    if (s.replaceWhenParityError) {
        flags |= 0x0400;
    }
    if (s.ignoreNullChar) {
        flags |= 0x0800;
    }
    flags |= RtsControlValue(s.rtsControl) << 12;
    return flags;
}

} // namespace pellow
