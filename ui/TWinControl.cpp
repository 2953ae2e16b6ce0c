#include "ui/TWinControl.h"

#include "ui/AlignControls.h"

namespace pellow {

TWinControl::TWinControl(TWinControl* parent, std::unique_ptr<TControlPeer> peer,
                         const TDispatcher* dispatcher)
    : TControl(parent, std::move(peer), dispatcher) {
    Peer().ClientChanged = [this] { Realign(); };
}

TWinControl::~TWinControl() {
    Peer().ClientChanged = nullptr;
    // Children still here were made outside the window's ownership; they go on without a
    // parent rather than point at a dead one.
    for (TControl* child : controls_)
        child->parent_ = nullptr;
}

void TWinControl::SetPadding(const TMargins& v) {
    padding_ = v;
    Realign();
}

TRect TWinControl::ClientRect() const {
    const TMargins frame = Peer().ClientInsets();
    const int left = frame.Left + padding_.Left;
    const int top = frame.Top + padding_.Top;
    return {left, top, std::max(0, Width() - left - frame.Right - padding_.Right),
            std::max(0, Height() - top - frame.Bottom - padding_.Bottom)};
}

void TWinControl::Realign(const TControl* moved) {
    std::vector<TAlignItem> items;
    items.reserve(controls_.size());
    for (const TControl* child : controls_)
        items.push_back({child->Align(), child->Anchors(), child->Bounds(), child->rightGap_,
                         child->bottomGap_, child->Visible(), child == moved});
    const std::vector<TRect> places = AlignControls(items, ClientRect());
    // Placing a child may make it lay out its own children, and never changes this list.
    for (std::size_t i = 0; i < places.size(); ++i)
        controls_[i]->Place(places[i]);
}

} // namespace pellow
