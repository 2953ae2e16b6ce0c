#pragma once
// The far end of a line that the engine opens: the test plays the device there. On POSIX
// systems it is a fresh pseudo-terminal. On Windows it is the second of two COM ports
// joined by a relay outside the test: PELLOW_TEST_PORT names the engine's port,
// PELLOW_TEST_FAR_PORT the far end's.

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>

namespace pellow::test {

class FarEnd {
public:
    // Throws std::runtime_error when there is no line to be had.
    FarEnd();
    ~FarEnd();
    FarEnd(const FarEnd&) = delete;
    FarEnd& operator=(const FarEnd&) = delete;

    // What the engine opens.
    const std::string& PortName() const;

    void Write(const std::string& bytes) const;
    // Writes what the line takes within `wait`; returns how many bytes that was.
    std::size_t WriteSome(const char* data, std::size_t size, std::chrono::milliseconds wait) const;
    // Reads until `count` bytes have come or the deadline has passed.
    std::string Read(std::size_t count, std::chrono::milliseconds deadline) const;
    // Reads whatever comes until the line has been quiet for `quiet`.
    std::string ReadUntilQuiet(std::chrono::milliseconds quiet) const;
    // Makes bytes written before the engine opens wait in its input queue as they are, with
    // no echo and no line editing.
    void MakeRaw() const;
    // Takes the far end off the line, as a device that goes away. False where the line
    // outlives the far end (a relay between two ports).
    bool HangUp();

private:
    class Line;
    std::unique_ptr<Line> line_;
};

} // namespace pellow::test
