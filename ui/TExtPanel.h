#pragma once
// A panel with a caption bar that holds a close button (no roll-up button). The close
// button hides the panel itself, then raises OnClose.
//
// GUI thread only.

#include "ui/TWinControl.h"

namespace pellow {

class TExtPanel : public TWinControl {
public:
    TExtPanel(TWinControl& parent, const std::string& caption);

    const std::string& Caption() const { return caption_; }

    std::function<void()> OnClose;

private:
    std::string caption_;
};

} // namespace pellow
