#pragma once
// The 32-bit flags word of the device control block, rebuilt from zero for every
// application of the line settings. A device layer reads its switches from this word,
// so every platform sees the same bits for the same settings.

#include "serial/LineSettings.h"

#include <cstdint>

namespace pellow {

// Masks of the flags word, named after the control block's fields.
namespace DcbFlag {
inline constexpr std::uint32_t fBinary = 0x0001;
inline constexpr std::uint32_t fParity = 0x0002;
inline constexpr std::uint32_t fOutxCtsFlow = 0x0004;
inline constexpr std::uint32_t fOutxDsrFlow = 0x0008;
inline constexpr std::uint32_t fDtrControl = 0x0030;
inline constexpr std::uint32_t fDsrSensitivity = 0x0040;
inline constexpr std::uint32_t fTXContinueOnXoff = 0x0080;
inline constexpr std::uint32_t fOutX = 0x0100;
inline constexpr std::uint32_t fInX = 0x0200;
inline constexpr std::uint32_t fErrorChar = 0x0400;
inline constexpr std::uint32_t fNull = 0x0800;
inline constexpr std::uint32_t fRtsControl = 0x3000;
} // namespace DcbFlag

// Values of the two control-line fields.
inline constexpr std::uint32_t DTR_CONTROL_DISABLE = 0;
inline constexpr std::uint32_t DTR_CONTROL_ENABLE = 1;
inline constexpr std::uint32_t DTR_CONTROL_HANDSHAKE = 2;
inline constexpr std::uint32_t RTS_CONTROL_DISABLE = 0;
inline constexpr std::uint32_t RTS_CONTROL_ENABLE = 1;
inline constexpr std::uint32_t RTS_CONTROL_HANDSHAKE = 2;
inline constexpr std::uint32_t RTS_CONTROL_TOGGLE = 3;

std::uint32_t DcbFlags(const LineSettings& settings);

// Device values of the two control-line enumerations. Their first members are the
// enable values, so these are tables, never the ordinal.
std::uint32_t DtrControlValue(TDtrControl v);
std::uint32_t RtsControlValue(TRtsControl v);

// The control-line fields read back from a flags word.
inline std::uint32_t DtrControlField(std::uint32_t flags) {
    return (flags & DcbFlag::fDtrControl) >> 4;
}
inline std::uint32_t RtsControlField(std::uint32_t flags) {
    return (flags & DcbFlag::fRtsControl) >> 12;
}

} // namespace pellow
