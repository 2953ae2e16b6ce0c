#pragma once
// A control that holds others: it lays out its docked and anchored children within its
// client area whenever its size, a child's place or visibility, or its own frame changes.
//
// GUI thread only.

#include "ui/TControl.h"

#include <vector>

namespace pellow {

class TWinControl : public TControl {
public:
    ~TWinControl() override;

    // The children, in the order they were made.
    const std::vector<TControl*>& Controls() const { return controls_; }

    // Space kept free inside the frame, around the docked children.
    const TMargins& Padding() const { return padding_; }
    void SetPadding(const TMargins& v);

    // The area docked children share, from the control's own top-left corner: its size
    // less its frame and its padding.
    TRect ClientRect() const;

    // `moved`, a child just placed or docked, wins a tie at its edge.
    void Realign(const TControl* moved = nullptr);

protected:
    TWinControl(TWinControl* parent, std::unique_ptr<TControlPeer> peer,
                const TDispatcher* dispatcher = nullptr);
    void Resized() override { Realign(); }

private:
    friend class TControl;
    std::vector<TControl*> controls_;
    TMargins padding_;
};

} // namespace pellow
