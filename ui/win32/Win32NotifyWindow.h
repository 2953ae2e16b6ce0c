#pragma once
// The notification window on Windows: a message-only window. Worker threads post, the GUI
// thread delivers each message to the procedure in posting order. Messages still queued
// when it is destroyed are released, never delivered.
//
// Messages are delivered in turns with a time budget. Posted messages come before input
// and painting in a Windows message loop, so a turn that leaves messages behind while
// key presses, clicks or repaints wait queues the next turn behind them.

#include "serial/NotifyWindow.h"
#include "ui/win32/Win32Window.h"

#include <chrono>
#include <deque>
#include <mutex>

namespace pellow {

class Win32NotifyWindow final : public TNotifyWindow, public Win32Window {
public:
    // Longest time one turn spends delivering messages before it lets other events in.
    static constexpr std::chrono::milliseconds TurnBudget{10};

    explicit Win32NotifyWindow(Proc proc);
    ~Win32NotifyWindow() override;

    bool Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;

    static TNotifyWindowFactory Factory();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Message {
        std::uint32_t message;
        std::uintptr_t wParam;
        std::intptr_t lParam;
    };
    void Turn();
    // With mutex_ held: whether a turn must be queued (none is queued yet).
    bool TakeWakeLocked();
    void QueueTurnBehindInput();

    Proc proc_;
    HWND window_ = nullptr;     // readable from any thread, unlike Handle()
    std::mutex mutex_;
    std::deque<Message> queue_; // posted, not yet taken by the GUI thread
    bool wakePosted_ = false;   // a turn is queued, so a post need not queue another
    std::deque<Message> taken_; // the GUI thread's own: taken, not yet delivered
    bool* destroyed_ = nullptr; // set while a turn runs: tells it the procedure destroyed us
};

} // namespace pellow
