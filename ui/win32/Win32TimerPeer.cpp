// Timers on a message-only window of their own: WM_TIMER runs in every message loop, a
// modal box's included, and comes after input and painting.
#include "ui/Toolkit.h"
#include "ui/win32/Win32Window.h"

namespace pellow {

namespace {

constexpr UINT_PTR TimerId = 1;
constexpr UINT IdleMessage = WM_APP + 2;

class Win32TimerPeer final : public TTimerPeer, public Win32Window {
public:
    Win32TimerPeer() { CreateOwnWindow(0, 0, HWND_MESSAGE); }
    void Start(int milliseconds) override {
        Stop();
        running_ = true;
        interval_ = milliseconds;
        if (milliseconds > 0)
            ::SetTimer(Handle(), TimerId, UINT(milliseconds), nullptr);
        else
            ScheduleIdleTick();
    }
    void Stop() override {
        running_ = false;
        ::KillTimer(Handle(), TimerId);
        ++generation_;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_TIMER && wParam == TimerId) {
            if (interval_ == 0)
                ::KillTimer(Handle(), TimerId);
            Ticked();
            return 0;
        }
        if (message == IdleMessage) {
            // A tick posted before Stop (and a Start after it) is stale.
            if (WPARAM(generation_) == wParam)
                Ticked();
            return 0;
        }
        return Win32Window::WindowProc(message, wParam, lParam);
    }

private:
    void Ticked() {
        if (!running_)
            return;
        if (Tick)
            Tick();
        if (running_ && interval_ == 0)
            ScheduleIdleTick();
    }
    // Posted messages come before input and painting: with either waiting, the next tick
    // waits behind them as a timer message does.
    void ScheduleIdleTick() {
        if (HIWORD(::GetQueueStatus(QS_INPUT | QS_PAINT)) != 0)
            ::SetTimer(Handle(), TimerId, USER_TIMER_MINIMUM, nullptr);
        else
            ::PostMessageW(Handle(), IdleMessage, WPARAM(generation_), 0);
    }

    bool running_ = false;
    int interval_ = 0;
    unsigned generation_ = 0;
};

} // namespace

std::unique_ptr<TTimerPeer> NewTimerPeer() {
    return std::make_unique<Win32TimerPeer>();
}

} // namespace pellow
