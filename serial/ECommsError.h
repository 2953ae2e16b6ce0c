#pragma once
#include <stdexcept>
#include <string>

namespace pellow {

// Raised only by TComm::OpenPort; carries nothing but its message text.
class ECommsError : public std::runtime_error {
public:
    explicit ECommsError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace pellow
