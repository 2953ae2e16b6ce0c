#pragma once
// The notification window: worker threads post (message, wParam, lParam) triples to it;
// the owner's GUI thread hands them, one at a time and in posting order, to the
// procedure given at construction (TComm::NotifyWindowProc).
//
// The engine never knows what carries the messages: the GUI supplies a Qt implementation,
// tests a queue they pump themselves.

#include <cstdint>
#include <functional>
#include <memory>

namespace pellow {

class TNotifyWindow {
public:
    using Proc =
        std::function<void(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam)>;

    virtual ~TNotifyWindow() = default;

    // Any thread. Never blocks. Returns false when the message was refused; the poster
    // then still owns whatever lParam carries.
    // An implementation must release, with ReleaseUndeliveredMessage, every message it
    // accepted but never delivered (for example when it is destroyed).
    virtual bool Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
};

using TNotifyWindowFactory = std::function<std::unique_ptr<TNotifyWindow>(TNotifyWindow::Proc)>;

// Frees what an undelivered notification owns (the DataBlock of PORTMSG_DATA).
void ReleaseUndeliveredMessage(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

} // namespace pellow
