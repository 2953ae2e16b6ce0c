#pragma once
// A timer with an interval in milliseconds. Enabled and Interval are plain properties:
// an enabled timer with interval 0 stays enabled but gives no ticks, unless it was made
// to tick at zero (then it ticks as fast as the timer allows). Ticks go on while a modal
// box is open; each tick runs through the general error report.
//
// GUI thread only.

#include "ui/Peers.h"
#include "ui/TDispatcher.h"

#include <functional>
#include <memory>

namespace pellow {

class TTimer {
public:
    TTimer(const TDispatcher* dispatcher, int interval, bool ticksAtZero = false);
    ~TTimer();

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    int Interval() const { return interval_; }
    void SetInterval(int v);

    std::function<void()> OnTimer;

private:
    void Update();

    std::unique_ptr<TTimerPeer> peer_;
    const TDispatcher* dispatcher_;
    int interval_;
    bool enabled_ = false;
    bool ticksAtZero_;
};

} // namespace pellow
