#include "ui/TCheckBox.h"

#include "ui/Toolkit.h"
#include "ui/TWinControl.h"

namespace pellow {

TCheckBox::TCheckBox(TWinControl& parent, const std::string& caption)
    : TControl(&parent, NewCheckBoxPeer(parent.Peer())) {
    BoxPeer().Clicked = [this](bool checked) {
        checked_ = checked;
        Fire(OnClick);
    };
    SetCaption(caption);
}

void TCheckBox::SetCaption(const std::string& v) {
    caption_ = v;
    BoxPeer().SetCaption(v);
}

void TCheckBox::SetChecked(bool v) {
    checked_ = v;
    BoxPeer().SetChecked(v);
    if (OnClick) {
        // The handler may replace itself; the copy runs to its end.
        auto handler = OnClick;
        handler();
    }
}

} // namespace pellow
