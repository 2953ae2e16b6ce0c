#pragma once
// What a toolkit implements for the controls: each control keeps its state and its rules
// and hands display and native input to a peer of its kind. A peer shows what it is told
// and reports what the user did through its callbacks, which the control sets; it never
// raises a callback for a change made through its own methods. Ui/Toolkit.h creates them.
//
// GUI thread only.

#include <functional>

namespace pellow {

// Ticks at an interval until stopped.
class TTimerPeer {
public:
    virtual ~TTimerPeer() = default;
    // Ticks every `milliseconds`, first after one interval, restarting the count; 0 ticks
    // whenever the events that came meanwhile have been handled.
    virtual void Start(int milliseconds) = 0;
    virtual void Stop() = 0;

    std::function<void()> Tick;
};

} // namespace pellow
