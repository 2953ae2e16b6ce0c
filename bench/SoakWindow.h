#pragma once
// The window of a soak run, offscreen, started on a pseudo-terminal of its own that it
// opened. Port lock files live in the machine's lock folder, shared with every program
// that runs meanwhile; a pty number another program's lock still names is passed over
// for the next one.

#include "WindowTestSupport.h"

#include <memory>
#include <vector>

namespace pellow::bench {

class SoakWindow {
public:
    SoakWindow();

    // False when no pseudo-terminal could be opened.
    bool Opened() const { return window_ != nullptr; }
    test::Pty& Pty() const { return *ptys_.back(); }
    test::TestWindow& Window() const { return *window_; }

private:
    test::ScratchFolder folder_;
    std::vector<std::unique_ptr<test::Pty>> ptys_;
    std::unique_ptr<test::TestWindow> window_;
};

} // namespace pellow::bench
