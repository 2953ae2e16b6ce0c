#pragma once
// One-line edits. Text is bytes, kept exactly and without a length limit. OnChange runs
// only when the text really changes, whether the user typed or code set it; OnKeyPress
// sees each typed character first and discards it by setting it to 0.
//
// GUI thread only.

#include "ui/TControl.h"

#include <optional>

namespace pellow {

class TEdit : public TControl {
public:
    TEdit(TWinControl& parent, const std::string& text = {});

    const std::string& Text() const { return text_; }
    // Runs OnChange directly when the text changes.
    void SetText(const std::string& v);

    std::function<void()> OnChange;
    // The first byte of the typed character; a handler sets it to 0 to discard the key.
    std::function<void(char& Key)> OnKeyPress;

protected:
    TEditPeer& EditPeer() const { return PeerAs<TEditPeer>(); }

private:
    std::string text_;
};

// The file-name field: a read-only edit that owns an open-file dialog.
class TFileNameEdit : public TEdit {
public:
    TFileNameEdit(TWinControl& parent, const std::string& text);

    std::string DialogTitle = "Open file";
    std::string Filter = "All files|*.*";
    int FilterIndex = 1;

    // Runs the dialog proposing the current text; on confirmation the text becomes the
    // chosen file's full path. Returns whether the user confirmed.
    bool Execute();

    // The dialog itself; tests replace it. Gets the proposed name, returns the chosen
    // existing file or nothing when cancelled.
    std::function<std::optional<std::string>(const std::string& proposed)> RunDialog;
};

} // namespace pellow
