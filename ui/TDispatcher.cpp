#include "ui/TDispatcher.h"

#include <exception>

namespace pellow {

void TDispatcher::Run(const std::function<void()>& handler) const noexcept {
    std::string message;
    try {
        handler();
        return;
    } catch (const std::exception& e) {
        message = e.what();
    } catch (...) {
        message = "Unknown error";
    }
    // The report itself shows a modal box; a failure there must not escape into Qt.
    try {
        if (report_) {
            report_(message);
        }
    } catch (...) {
    }
}

} // namespace pellow
