#pragma once
// The receive area's hex rendering and its way back to bytes. Pure functions; any thread.

#include <stdexcept>
#include <string>
#include <string_view>

namespace pellow {

// Raised when text taken back from hex pairs holds a piece that is not a hex number.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Each byte as two upper-case hex digits followed by one blank ("41 0D 0A ").
std::string BytesToHexText(std::string_view bytes);

// The bytes of hex pairs laid out every three characters: the first two characters of
// each piece (or the last lone one) are read as a hex number, the third is skipped
// unread. Throws EConvertError at the first piece that is not a hex number.
std::string HexDisplayToBytes(std::string_view text);

} // namespace pellow
