#include "SoakWindow.h"

namespace pellow::bench {

SoakWindow::SoakWindow() {
    // The ptys passed over stay allocated, so that the next one has another number.
    for (int attempt = 0; attempt < 10; ++attempt) {
        ptys_.push_back(std::make_unique<test::Pty>());
        auto window = std::make_unique<test::TestWindow>(
            std::vector<std::string>{ptys_.back()->SlavePath()}, folder_.Path());
        (*window)->FormShow();
        if ((*window)->btnCOM->Caption() == "CLOSE") {
            window_ = std::move(window);
            return;
        }
    }
}

} // namespace pellow::bench
