#pragma once
// One-line edits. Text is bytes, kept exactly (see TextBytes.h) and without a length limit.
// OnChange runs only when the shown text really changes, whether the user typed or code set
// it; OnKeyPress sees each typed character first and discards it by setting it to 0.

#include "ui/TControl.h"

#include <QLineEdit>

#include <optional>

namespace pellow {

class TEdit : public TControl<QLineEdit> {
public:
    TEdit(QWidget* parent, const TDispatcher* dispatcher, const std::string& text = {});

    std::string Text() const { return ToStdString(text()); }
    // Runs OnChange directly when the text changes.
    void SetText(const std::string& v);

    std::function<void()> OnChange;
    // The first byte of the typed character; a handler sets it to 0 to discard the key.
    std::function<void(char& Key)> OnKeyPress;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString shown_;
};

// The file-name field: a read-only edit that owns an open-file dialog.
class TFileNameEdit : public TEdit {
public:
    TFileNameEdit(QWidget* parent, const TDispatcher* dispatcher, const std::string& text);

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
