#pragma once
// A check box whose OnClick runs every time its state is set, whether by the user's click
// (after the state has changed) or by SetChecked from code, even when the state stays.
// Handlers rely on this: unchecking a timed-send box from anywhere stops that sending.
//
// GUI thread only.

#include "ui/TControl.h"

namespace pellow {

class TCheckBox : public TControl {
public:
    TCheckBox(TWinControl& parent, const std::string& caption);

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& v);

    bool Checked() const { return checked_; }
    // Runs OnClick directly: an exception in it reaches the caller.
    void SetChecked(bool v);

    std::function<void()> OnClick;

private:
    TCheckBoxPeer& BoxPeer() const { return PeerAs<TCheckBoxPeer>(); }

    std::string caption_;
    bool checked_ = false;
};

} // namespace pellow
