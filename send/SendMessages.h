#pragma once
// Warnings of manual, list and keyboard sending, shown exactly as they stand.

namespace pellow {

inline constexpr const char* OpenPortFirstMessage = "Please open the serial port first!";
inline constexpr const char* SendErrorMessage =
    "Error occured in sending the data, please check the serial port setting.";

} // namespace pellow
