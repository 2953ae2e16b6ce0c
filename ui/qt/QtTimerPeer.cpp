// Timers as QTimers: precise, and running in every event loop, a modal box's included.
#include "ui/Toolkit.h"

#include <QTimer>

namespace pellow {

namespace {

class QtTimerPeer final : public TTimerPeer {
public:
    QtTimerPeer() {
        timer_.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (Tick)
                Tick();
        });
    }
    void Start(int milliseconds) override { timer_.start(milliseconds); }
    void Stop() override { timer_.stop(); }

private:
    QTimer timer_;
};

} // namespace

std::unique_ptr<TTimerPeer> NewTimerPeer() {
    return std::make_unique<QtTimerPeer>();
}

} // namespace pellow
