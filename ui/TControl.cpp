#include "ui/TControl.h"

#include "ui/TForm.h"
#include "ui/TWinControl.h"

#include <algorithm>

namespace pellow {

TControl::TControl(TWinControl* parent, std::unique_ptr<TControlPeer> peer,
                   const TDispatcher* dispatcher)
    : parent_(parent), peer_(std::move(peer)),
      dispatcher_(parent ? parent->Dispatcher() : dispatcher) {
    if (parent_)
        parent_->controls_.push_back(this);
}

TControl::~TControl() {
    if (parent_) {
        auto& siblings = parent_->controls_;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
    }
}

TForm* TControl::Form() {
    TControl* control = this;
    while (control->parent_)
        control = control->parent_;
    return dynamic_cast<TForm*>(control);
}

void TControl::SetName(const std::string& v) {
    name_ = v;
    peer_->SetName(v);
}

void TControl::SetBounds(const TRect& v) {
    if (parent_) {
        const TRect client = parent_->ClientRect();
        rightGap_ = client.Right() - v.Right();
        bottomGap_ = client.Bottom() - v.Bottom();
    }
    Place(v);
    if (parent_ && align_ != TAlign::alNone)
        parent_->Realign(this);
}

void TControl::Place(const TRect& v) {
    if (v == bounds_)
        return;
    const bool resized = v.Width != bounds_.Width || v.Height != bounds_.Height;
    bounds_ = v;
    peer_->SetBounds(v);
    if (resized)
        Resized();
}

void TControl::SetAlign(TAlign v) {
    align_ = v;
    if (parent_)
        parent_->Realign(this);
}

void TControl::SetAnchors(TAnchors v) {
    anchors_ = v;
}

void TControl::SetEnabled(bool v) {
    if (v == enabled_)
        return;
    enabled_ = v;
    peer_->SetEnabled(v);
}

void TControl::SetVisible(bool v) {
    if (v == visible_)
        return;
    visible_ = v;
    peer_->SetVisible(v);
    if (parent_ && align_ != TAlign::alNone)
        parent_->Realign();
}

void TControl::SetHint(const std::string& v) {
    hint_ = v;
    UpdateToolTip();
}

void TControl::SetShowHint(bool v) {
    showHint_ = v;
    UpdateToolTip();
}

void TControl::UpdateToolTip() {
    peer_->SetToolTip(showHint_ ? hint_ : std::string());
}

} // namespace pellow
