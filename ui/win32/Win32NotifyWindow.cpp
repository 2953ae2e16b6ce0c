#include "ui/win32/Win32NotifyWindow.h"

namespace pellow {

namespace {

constexpr UINT TurnMessage = WM_APP + 3;
constexpr UINT_PTR TurnTimer = 1;

} // namespace

Win32NotifyWindow::Win32NotifyWindow(Proc proc) : proc_(std::move(proc)) {
    window_ = CreateOwnWindow(0, 0, HWND_MESSAGE);
}

Win32NotifyWindow::~Win32NotifyWindow() {
    if (destroyed_)
        *destroyed_ = true;
    // Turn messages still queued die with the window (destroyed by the base).
    std::lock_guard lock(mutex_);
    for (const auto* messages : {&taken_, &queue_}) {
        for (const Message& m : *messages)
            ReleaseUndeliveredMessage(m.message, m.wParam, m.lParam);
    }
}

bool Win32NotifyWindow::TakeWakeLocked() {
    if (wakePosted_)
        return false;
    wakePosted_ = true;
    return true;
}

bool Win32NotifyWindow::Post(std::uint32_t message, std::uintptr_t wParam,
                             std::intptr_t lParam) {
    std::lock_guard lock(mutex_);
    queue_.push_back({message, wParam, lParam});
    // PostMessage never blocks; posted under the lock, so the turn that takes the
    // message finds it through our own mutex.
    if (TakeWakeLocked() && !::PostMessageW(window_, TurnMessage, 0, 0)) {
        // The thread's queue is full: the message stays ours, and the next post retries.
        queue_.pop_back();
        wakePosted_ = false;
        return false;
    }
    return true;
}

LRESULT Win32NotifyWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TurnMessage || (message == WM_TIMER && wParam == TurnTimer)) {
        if (message == WM_TIMER)
            ::KillTimer(window_, TurnTimer);
        Turn();
        return 0;
    }
    return Win32Window::WindowProc(message, wParam, lParam);
}

void Win32NotifyWindow::Turn() {
    {
        std::lock_guard lock(mutex_);
        // Posts made while a message is handled (a handler's modal box runs a loop of its
        // own) queue a turn of their own, so they are delivered meanwhile too.
        wakePosted_ = false;
    }
    const auto deadline = std::chrono::steady_clock::now() + TurnBudget;
    bool destroyed = false;
    destroyed_ = &destroyed;
    for (;;) {
        if (taken_.empty()) {
            std::lock_guard lock(mutex_);
            if (queue_.empty())
                break;
            taken_.swap(queue_);
        }
        const Message m = taken_.front();
        taken_.pop_front();
        proc_(m.message, m.wParam, m.lParam);
        if (destroyed)
            return;
        if (std::chrono::steady_clock::now() >= deadline) {
            QueueTurnBehindInput();
            break;
        }
    }
    destroyed_ = nullptr;
}

void Win32NotifyWindow::QueueTurnBehindInput() {
    std::lock_guard lock(mutex_);
    if (!TakeWakeLocked())
        return;
    // A timer message comes after input and painting; a posted one before them.
    if (HIWORD(::GetQueueStatus(QS_INPUT | QS_PAINT)) != 0)
        ::SetTimer(window_, TurnTimer, USER_TIMER_MINIMUM, nullptr);
    else
        ::PostMessageW(window_, TurnMessage, 0, 0);
}

TNotifyWindowFactory Win32NotifyWindow::Factory() {
    return [](TNotifyWindow::Proc proc) -> std::unique_ptr<TNotifyWindow> {
        return std::make_unique<Win32NotifyWindow>(std::move(proc));
    };
}

} // namespace pellow
