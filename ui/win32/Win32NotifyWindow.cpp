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
    // Turn messages still queued die with the window (destroyed by the base); the queue
    // releases the messages left.
}

bool Win32NotifyWindow::Post(std::uint32_t message, std::uintptr_t wParam,
                             std::intptr_t lParam) {
    // PostMessage never blocks. When the thread's queue is full the message is taken back
    // and the poster, told so, keeps it: a worker then frees its block and asks to hang up.
    return turns_.Post({message, wParam, lParam},
                       [this] { return ::PostMessageW(window_, TurnMessage, 0, 0) != FALSE; });
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
    turns_.BeginTurn([] { return true; });
    bool destroyed = false;
    destroyed_ = &destroyed;
    const auto end = turns_.DeliverTurn([&](const TNotifyTurns::Message& m) {
        proc_(m.message, m.wParam, m.lParam);
        return !destroyed;
    });
    if (end == TNotifyTurns::TTurnEnd::OwnerDestroyed)
        return;
    destroyed_ = nullptr;
    if (end == TNotifyTurns::TTurnEnd::BudgetSpent)
        QueueTurnBehindInput();
}

void Win32NotifyWindow::QueueTurnBehindInput() {
    turns_.QueueNextTurn([this] {
        // A timer message comes after input and painting; a posted one before them.
        if (HIWORD(::GetQueueStatus(QS_INPUT | QS_PAINT)) != 0)
            return ::SetTimer(window_, TurnTimer, USER_TIMER_MINIMUM, nullptr) != 0;
        return ::PostMessageW(window_, TurnMessage, 0, 0) != FALSE;
    });
}

TNotifyWindowFactory Win32NotifyWindow::Factory() {
    return [](TNotifyWindow::Proc proc) -> std::unique_ptr<TNotifyWindow> {
        return std::make_unique<Win32NotifyWindow>(std::move(proc));
    };
}

} // namespace pellow
