#include "ui/TForm.h"

#include "ui/TButton.h"
#include "ui/Toolkit.h"

namespace pellow {

namespace {

TControl* FindIn(const TWinControl& parent, const std::string& name) {
    for (TControl* control : parent.Controls()) {
        if (control->Name() == name)
            return control;
        if (const auto* inner = dynamic_cast<const TWinControl*>(control)) {
            if (TControl* found = FindIn(*inner, name))
                return found;
        }
    }
    return nullptr;
}

} // namespace

TForm::TForm(const TDispatcher* dispatcher) : TWinControl(nullptr, NewFormPeer(), dispatcher) {
    TFormPeer& peer = FormPeer();
    peer.Shown = [this] { Fire(OnShow); };
    peer.CloseQuery = [this] {
        TCloseAction action = TCloseAction::caFree;
        Fire([this, &action] {
            if (OnClose)
                OnClose(action);
        });
        return action != TCloseAction::caNone;
    };
    peer.Resized = [this](int width, int height) { PeerResized(width, height); };
    peer.EnterPressed = [this] { PressDefaultButton(); };
    // A window is off the screen until shown; otherwise the first Show would find it
    // visible already and do nothing.
    SetVisible(false);
}

TForm::~TForm() {
    TFormPeer& peer = FormPeer();
    peer.Shown = nullptr;
    peer.CloseQuery = nullptr;
    peer.Resized = nullptr;
    peer.EnterPressed = nullptr;
    while (!owned_.empty())
        owned_.pop_back();
}

void TForm::SetCaption(const std::string& v) {
    caption_ = v;
    FormPeer().SetCaption(v);
}

void TForm::SetMinClientSize(int width, int height) {
    FormPeer().SetMinClientSize(width, height);
}

void TForm::Close() {
    FormPeer().Close();
}

void TForm::SetStayOnTop(bool v) {
    stayOnTop_ = v;
    FormPeer().SetStayOnTop(v);
}

TControl* TForm::FindControl(const std::string& name) const {
    return FindIn(*this, name);
}

void TForm::PeerResized(int width, int height) {
    if (width != ClientWidth() || height != ClientHeight())
        SetClientSize(width, height);
}

void TForm::PressDefaultButton() {
    if (defaultButton_ && defaultButton_->Enabled() && defaultButton_->Visible())
        defaultButton_->Click();
}

} // namespace pellow
