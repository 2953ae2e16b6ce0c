#pragma once
// The notification window on Windows: a message-only window. Worker threads post, the GUI
// thread delivers each message to the procedure in posting order, in turns
// (ui/NotifyTurns.h). Posted messages come before input and painting in a Windows message
// loop, so a turn that leaves messages behind while key presses, clicks or repaints wait
// queues the next turn behind them.

#include "serial/NotifyWindow.h"
#include "ui/NotifyTurns.h"
#include "ui/win32/Win32Window.h"

namespace pellow {

class Win32NotifyWindow final : public TNotifyWindow, public Win32Window {
public:
    explicit Win32NotifyWindow(Proc proc);
    ~Win32NotifyWindow() override;

    bool Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override;

    static TNotifyWindowFactory Factory();

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Turn();
    void QueueTurnBehindInput();

    Proc proc_;
    HWND window_ = nullptr;     // readable from any thread, unlike Handle()
    TNotifyTurns turns_;
    bool* destroyed_ = nullptr; // set while a turn runs: tells it the procedure destroyed us
};

} // namespace pellow
