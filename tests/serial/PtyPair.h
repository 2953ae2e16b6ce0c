#pragma once
// A pseudo-terminal that plays the serial device: the engine opens SlavePath(), the test
// is the far end of the line on the master.

#include "serial/posix/CustomBaudRate.h"

#include <chrono>
#include <cstddef>
#include <string>

namespace pellow::test {

class PtyPair {
public:
    PtyPair();
    ~PtyPair();
    PtyPair(const PtyPair&) = delete;
    PtyPair& operator=(const PtyPair&) = delete;

    int Master() const { return master_; }
    const std::string& SlavePath() const { return slavePath_; }

    void Write(const std::string& bytes) const;
    // Writes what the line takes within `wait`; returns how many bytes that was.
    std::size_t WriteSome(const char* data, std::size_t size, std::chrono::milliseconds wait) const;
    // Reads until `count` bytes have come or the deadline has passed.
    std::string Read(std::size_t count, std::chrono::milliseconds deadline) const;
    // Reads whatever comes until the line has been quiet for `quiet`.
    std::string ReadUntilQuiet(std::chrono::milliseconds quiet) const;
    void CloseMaster();

    // Runs stty on the line from outside the process and returns what it printed.
    std::string Stty(const std::string& arguments = "-a") const;
    // Both directions' rates as the kernel holds them (stty shows only one).
    LineSpeeds Speeds() const;

private:
    int master_ = -1;
    std::string slavePath_;
};

// Descriptors this process holds now.
int OpenDescriptorCount();

} // namespace pellow::test
