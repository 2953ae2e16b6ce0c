#pragma once
// A vertical scroll bar, standing alone or showing the scrolling of a memo bound to it.
//
// GUI thread only.

#include "ui/TControl.h"

namespace pellow {

class TScrollBar : public TControl {
public:
    explicit TScrollBar(TWinControl& parent);

    const TScrollInfo& Scroll() const { return scroll_; }
    void SetScroll(const TScrollInfo& v);

    // The user moved it.
    std::function<void(int position)> OnScroll;

private:
    TScrollInfo scroll_;
};

} // namespace pellow
