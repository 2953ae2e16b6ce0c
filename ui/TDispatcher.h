#pragma once
// The general error report. Every event that reaches the window from outside (a user's
// click, a key, a timer tick, a notification of the serial component) runs through Run:
// an exception that escapes the handler is shown as a message box and the window stays
// usable. Handlers called from other handlers (a check box set from code) are called
// directly, so their exceptions stop the calling handler too.
//
// GUI thread only.

#include <functional>
#include <string>

namespace pellow {

class TDispatcher {
public:
    using Report = std::function<void(const std::string& message)>;

    explicit TDispatcher(Report report) : report_(std::move(report)) {}

    void Run(const std::function<void()>& handler) const noexcept;

private:
    Report report_;
};

// Runs a handler for an event from outside: through the dispatcher when there is one.
inline void RunEvent(const TDispatcher* dispatcher, const std::function<void()>& handler) {
    if (!handler) {
        return;
    }
    if (dispatcher) {
        dispatcher->Run(handler);
    } else {
        handler();
    }
}

} // namespace pellow
