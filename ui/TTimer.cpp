#include "ui/TTimer.h"

#include "ui/Toolkit.h"

namespace pellow {

TTimer::TTimer(const TDispatcher* dispatcher, int interval, bool ticksAtZero)
    : peer_(NewTimerPeer()), dispatcher_(dispatcher), interval_(interval),
      ticksAtZero_(ticksAtZero) {
    peer_->Tick = [this] {
        if (enabled_) {
            RunEvent(dispatcher_, OnTimer);
        }
    };
}

TTimer::~TTimer() = default;

void TTimer::SetEnabled(bool v) {
    if (v == enabled_) {
        return;
    }
    enabled_ = v;
    Update();
}

void TTimer::SetInterval(int v) {
    if (v == interval_) {
        return;
    }
    interval_ = v;
    Update();
}

void TTimer::Update() {
    const bool ticks = enabled_ && (interval_ > 0 || (interval_ == 0 && ticksAtZero_));
    if (!ticks) {
        peer_->Stop();
        return;
    }
    peer_->Start(interval_ > 0 ? interval_ : 1);
}

} // namespace pellow
