#pragma once
// Opens a logged TComm on a fresh pseudo-terminal with settings that let every byte
// value through (no software flow control).

#include "tests/serial/CommEventLog.h"
#include "tests/serial/PtyPair.h"

namespace pellow::test {

struct PtyComm : LoggedComm {
    PtyComm() {
        com->SetCommName(pty.SlavePath());
        com->SetBaudRate(115200);
        com->SetOutx_XonXoffFlow(false);
        com->SetInx_XonXoffFlow(false);
    }
    PtyPair pty;
};

inline std::string Pattern(std::size_t n, unsigned seed = 0) {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i) {
        s[i] = static_cast<char>((i * 7 + seed) % 251);
    }
    return s;
}

} // namespace pellow::test
