#pragma once
// Types shared by the serial engine and its owners: the line-setting enumerations,
// the message numbers that travel between the worker threads and the GUI thread,
// and the flag values reported through OnReceiveError / OnModemStateChange.

#include <cstdint>

namespace pellow {

enum class TDtrControl : std::uint8_t { DtrEnable, DtrDisable, DtrHandshake };
enum class TRtsControl : std::uint8_t {
    RtsEnable,
    RtsDisable,
    RtsHandshake,
    RtsTransmissionAvailable
};
enum class TByteSize : std::uint8_t { _5, _6, _7, _8 };
enum class TParity : std::uint8_t { None, Odd, Even, Mark, Space };
enum class TStopBits : std::uint8_t { _1, _1_5, _2 };

// Message numbers. PORTMSG_WRITE shares its number with PORTMSG_DATA; they never meet
// because one goes to the writer's queue and the other to the notification window.
inline constexpr std::uint32_t WM_USER = 0x0400;
inline constexpr std::uint32_t PORTMSG_DATA = WM_USER + 1;
inline constexpr std::uint32_t PORTMSG_ERROR = WM_USER + 2;
inline constexpr std::uint32_t PORTMSG_HANGUP = WM_USER + 3;
inline constexpr std::uint32_t PORTMSG_MODEM = WM_USER + 4;
inline constexpr std::uint32_t PORTMSG_SENDEMPTY = WM_USER + 5;
inline constexpr std::uint32_t PORTMSG_WRITE = WM_USER + 1;

// Line-error flags (EventMask of OnReceiveError), with the values owners on every
// platform expect.
inline constexpr std::uint32_t CE_RXOVER = 0x0001;
inline constexpr std::uint32_t CE_OVERRUN = 0x0002;
inline constexpr std::uint32_t CE_RXPARITY = 0x0004;
inline constexpr std::uint32_t CE_FRAME = 0x0008;
inline constexpr std::uint32_t CE_BREAK = 0x0010;

// Modem-change bits (ModemEvent of OnModemStateChange): which line changed, not its level.
inline constexpr std::uint32_t MODEM_EVENT_RING = 4;
inline constexpr std::uint32_t MODEM_EVENT_CARRIER = 8;

inline constexpr std::uint32_t ReadChunkSize = 2048;

} // namespace pellow
