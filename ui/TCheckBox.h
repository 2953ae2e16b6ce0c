#pragma once
// A check box whose OnClick runs every time its state is set, whether by the user's click
// (after the state has changed) or by SetChecked from code, even when the state stays.
// Handlers rely on this: unchecking a timed-send box from anywhere stops that sending.

#include "ui/TControl.h"

#include <QCheckBox>

namespace pellow {

class TCheckBox : public TControl<QCheckBox> {
public:
    TCheckBox(QWidget* parent, const TDispatcher* dispatcher, const std::string& caption);

    std::string Caption() const { return ToStdString(text()); }
    void SetCaption(const std::string& v) { setText(ToQString(v)); }

    bool Checked() const { return isChecked(); }
    // Runs OnClick directly: an exception in it reaches the caller.
    void SetChecked(bool v);

    std::function<void()> OnClick;
};

} // namespace pellow
