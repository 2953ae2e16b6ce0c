#include "ui/TEdit.h"

#include "ui/Toolkit.h"
#include "ui/TWinControl.h"

namespace pellow {

TEdit::TEdit(TWinControl& parent, const std::string& text)
    : TControl(&parent, NewEditPeer(parent.Peer())), text_(text) {
    EditPeer().SetText(text_);
    EditPeer().TextEdited = [this](const std::string& now) {
        if (now == text_)
            return;
        text_ = now;
        Fire(OnChange);
    };
    EditPeer().KeyTyped = [this](char& key) {
        if (OnKeyPress)
            Fire([this, &key] { OnKeyPress(key); });
    };
}

void TEdit::SetText(const std::string& v) {
    if (v == text_)
        return;
    text_ = v;
    EditPeer().SetText(v);
    if (OnChange) {
        auto handler = OnChange;
        handler();
    }
}

TFileNameEdit::TFileNameEdit(TWinControl& parent, const std::string& text)
    : TEdit(parent, text) {
    EditPeer().SetReadOnly(true);
    RunDialog = [this](const std::string& proposed) {
        return RunOpenFileDialog(Peer(), DialogTitle, Filter, proposed);
    };
}

bool TFileNameEdit::Execute() {
    const auto chosen = RunDialog(Text());
    if (!chosen) {
        return false;
    }
    SetText(*chosen);
    return true;
}

} // namespace pellow
