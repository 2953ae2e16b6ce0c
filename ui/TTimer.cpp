#include "ui/TTimer.h"

namespace pellow {

TTimer::TTimer(QObject* parent, const TDispatcher* dispatcher, int interval, bool ticksAtZero)
    : QObject(parent), dispatcher_(dispatcher), interval_(interval), ticksAtZero_(ticksAtZero) {
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] {
        if (enabled_) {
            RunEvent(dispatcher_, OnTimer);
        }
    });
}

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
        timer_.stop();
        return;
    }
    timer_.start(interval_ > 0 ? interval_ : 1);
}

} // namespace pellow
