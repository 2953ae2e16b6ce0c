#include "ui/TCheckBox.h"

#include <QSignalBlocker>

namespace pellow {

TCheckBox::TCheckBox(QWidget* parent, const TDispatcher* dispatcher, const std::string& caption)
    : TControl(parent, dispatcher) {
    SetCaption(caption);
    // clicked comes only from the user (or click()), after the state has changed.
    connect(this, &QCheckBox::clicked, this, [this] { Fire(OnClick); });
}

void TCheckBox::SetChecked(bool v) {
    {
        const QSignalBlocker blocker(this);
        setChecked(v);
    }
    if (OnClick) {
        auto handler = OnClick;
        handler();
    }
}

} // namespace pellow
