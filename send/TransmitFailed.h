#pragma once
// Raised by TfrmMain::TransmitText after it has shown the send error, so that each
// caller runs its own clean-up. Every caller catches it; it never reaches the general
// error report.

#include <exception>

namespace pellow {

class ETransmitFailed : public std::exception {
public:
    const char* what() const noexcept override { return "send failed"; }
};

} // namespace pellow
