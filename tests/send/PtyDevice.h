#pragma once
// A pseudo-terminal standing in for a serial device: the window opens the slave by its
// name, the test reads what was written from the master.

#include <string>

namespace pellow::test {

class PtyDevice {
public:
    PtyDevice();
    ~PtyDevice();
    PtyDevice(const PtyDevice&) = delete;
    PtyDevice& operator=(const PtyDevice&) = delete;

    const std::string& SlaveName() const { return slaveName_; }

    // Everything the master can read right now, without waiting.
    std::string ReadAvailable();

private:
    int master_ = -1;
    std::string slaveName_;
};

} // namespace pellow::test
