#include "ui/TButton.h"

#include "ui/TForm.h"
#include "ui/Toolkit.h"

namespace pellow {

TButton::TButton(TWinControl& parent, const std::string& caption)
    : TControl(&parent, NewButtonPeer(parent.Peer())) {
    ButtonPeer().Clicked = [this] { Click(); };
    SetCaption(caption);
}

void TButton::SetCaption(const std::string& v) {
    caption_ = v;
    ButtonPeer().SetCaption(v);
}

void TButton::SetDefault(bool v) {
    default_ = v;
    ButtonPeer().SetDefault(v);
    if (TForm* form = Form()) {
        if (v)
            form->SetDefaultButton(this);
        else if (form->DefaultButton() == this)
            form->SetDefaultButton(nullptr);
    }
}

TSpeedButton::TSpeedButton(TWinControl& parent, const std::string& caption)
    : TControl(&parent, NewSpeedButtonPeer(parent.Peer())) {
    ButtonPeer().Clicked = [this] { Fire(OnClick); };
    SetCaption(caption);
}

void TSpeedButton::SetCaption(const std::string& v) {
    caption_ = v;
    ButtonPeer().SetCaption(v);
}

void TSpeedButton::SetGlyph(const TPicture& v) {
    glyph_ = v;
    ButtonPeer().SetGlyph(v);
}

} // namespace pellow
