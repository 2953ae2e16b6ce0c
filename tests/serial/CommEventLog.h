#pragma once
// Records every event a TComm raises, in order, for the engine tests.

#include "serial/QueuedNotifyWindow.h"
#include "serial/TComm.h"
#include "tests/serial/TempFolder.h"

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace pellow::test {

struct CommEventLog {
    std::vector<std::string> chunks; // one per OnReceiveData
    std::vector<std::uint32_t> errors;
    std::vector<std::uint32_t> modemEvents;
    int hangups = 0;
    int sendEmpties = 0;
    std::vector<std::string> order; // "data", "error", "modem", "hangup", "empty"

    std::string Received() const;
    void Attach(TComm& com);
};

// A TComm wired to a QueuedNotifyWindow and a CommEventLog. Unless told otherwise it
// opens devices as the program does, with their lock files in a folder of its own.
struct LoggedComm {
    explicit LoggedComm(TDeviceOpener openDevice = {});

    bool PumpUntil(const std::function<bool()>& done,
                   std::chrono::milliseconds deadline = std::chrono::seconds(10)) {
        return window->PumpUntil(done, deadline);
    }

    TempFolder lockFolder{"pellow-locks"};
    QueuedNotifyWindow* window = nullptr;
    CommEventLog log;
    std::unique_ptr<TComm> com;
};

// The message OpenPort raised, or "" when it opened.
std::string OpenFailure(TComm& com);

} // namespace pellow::test
