#pragma once
#include <string>

namespace pellow {

// The texts of the five port boxes, as shown.
struct PortBoxTexts {
    std::string port, bps, byteSize, stopBits, parity;
};

// The state words of the status line: the button writes " Normal" / " Closed",
// start-up writes " Normal," / "closed,".
inline constexpr const char* StateOpenedByButton = " Normal";
inline constexpr const char* StateClosedByButton = " Closed";
inline constexpr const char* StateOpenedAtStartup = " Normal,";
inline constexpr const char* StateClosedAtStartup = "closed,";

// "Status:" + port + state word + " " + bps + "bps, " + byte size + ", " + stop bits
// + ", " + parity.
std::string PortStatusText(const PortBoxTexts& boxes, const char* stateWord);

} // namespace pellow
