#include "ui/TButton.h"

namespace pellow {

TButton::TButton(QWidget* parent, const TDispatcher* dispatcher, const std::string& caption)
    : TControl(parent, dispatcher) {
    SetCaption(caption);
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] { Fire(OnClick); });
}

TSpeedButton::TSpeedButton(QWidget* parent, const TDispatcher* dispatcher,
                           const std::string& caption)
    : TControl(parent, dispatcher) {
    SetCaption(caption);
    setAutoRaise(true);
    connect(this, &QToolButton::clicked, this, [this] { Fire(OnClick); });
}

void TSpeedButton::SetGlyph(const QPixmap& v) {
    glyph_ = v;
    setIcon(QIcon(v));
    if (!v.isNull()) {
        setIconSize(v.deviceIndependentSize().toSize());
    }
}

} // namespace pellow
