#pragma once
// A logged TComm on a line whose far end the test plays, set so that every byte value
// passes (no software flow control).

#include "tests/serial/CommEventLog.h"
#include "tests/serial/FarEnd.h"

namespace pellow::test {

inline void LetEveryByteThrough(TComm& com, const std::string& portName) {
    com.SetCommName(portName);
    com.SetBaudRate(115200);
    com.SetOutx_XonXoffFlow(false);
    com.SetInx_XonXoffFlow(false);
}

struct LineComm : LoggedComm {
    LineComm() { LetEveryByteThrough(*com, line.PortName()); }
    FarEnd line;
};

inline std::string Pattern(std::size_t n, unsigned seed = 0) {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i) {
        s[i] = static_cast<char>((i * 7 + seed) % 251);
    }
    return s;
}

} // namespace pellow::test
