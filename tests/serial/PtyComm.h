#pragma once
// A logged TComm on a fresh pseudo-terminal, for tests that look at the terminal itself
// (its termios, its speeds) from the master side.

#include "tests/serial/LineComm.h"
#include "tests/serial/PtyPair.h"

namespace pellow::test {

struct PtyComm : LoggedComm {
    PtyComm() { LetEveryByteThrough(*com, pty.SlavePath()); }
    PtyPair pty;
};

} // namespace pellow::test
