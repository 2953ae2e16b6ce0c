#pragma once
// The serial component takes at most 65535 bytes per hand-over (16-bit count). Longer
// data goes over in consecutive pieces, in order, never cut short. Any thread; the
// hand-over function decides where it may be called.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

namespace pellow {

inline constexpr std::size_t MaxSendPiece = 65535;

// Hands one piece over; true when it was accepted (TComm::SendBytes fits).
using TSendPiece = std::function<bool(const char* data, std::uint16_t length)>;

// Hands data over in pieces of at most maxPiece bytes (1..65535). Stops at the first
// refused piece, since sending what follows a gap would corrupt the stream. True when
// every piece was accepted; empty data hands nothing over and is true.
bool SendInPieces(std::string_view data, const TSendPiece& sendPiece,
                  std::size_t maxPiece = MaxSendPiece);

} // namespace pellow
