#include "send/SendPieces.h"

#include <algorithm>

namespace pellow {

bool SendInPieces(std::string_view data, const TSendPiece& sendPiece, std::size_t maxPiece) {
    maxPiece = std::clamp<std::size_t>(maxPiece, 1, MaxSendPiece);
    while (!data.empty()) {
        const std::size_t length = std::min(data.size(), maxPiece);
        if (!sendPiece(data.data(), static_cast<std::uint16_t>(length)))
            return false;
        data.remove_prefix(length);
    }
    return true;
}

} // namespace pellow
