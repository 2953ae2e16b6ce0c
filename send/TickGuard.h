#pragma once
// Marks a timed-send tick as running. A tick shows its message boxes modally, and ticks
// keep coming while such a box is open; a tick that finds another one still running
// (its box open) passes without sending, so boxes never stack up. GUI thread only.

namespace pellow {

class TickGuard {
public:
    explicit TickGuard(bool& running) : running_(running), entered_(!running) {
        if (entered_)
            running_ = true;
    }
    ~TickGuard() {
        if (entered_)
            running_ = false;
    }
    TickGuard(const TickGuard&) = delete;
    TickGuard& operator=(const TickGuard&) = delete;

    // False when another tick is still running: this one must do nothing.
    bool Entered() const { return entered_; }

private:
    bool& running_;
    bool entered_;
};

} // namespace pellow
