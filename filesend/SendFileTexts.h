#pragma once
// The fixed texts of file sending.

#include <string_view>

namespace pellow {

inline constexpr std::string_view PortClosedWarning = "Please open the serial port first.";
inline constexpr std::string_view NoSuchFileWarning = "Please make sure that the file exists.";
inline constexpr std::string_view SendFinishedLine = "Finished.";

inline constexpr std::string_view EmptyFileWarning = "The file is empty, nothing was sent.";
inline constexpr std::string_view FileTooLargeWarning =
    "The file is too large to send: at most 214748364 bytes can be sent at a time.";
inline constexpr std::string_view ReadFailedWarning =
    "The file could not be read, nothing was sent: ";

} // namespace pellow
