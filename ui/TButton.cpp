#include "ui/TButton.h"

#include "ui/qt/QtPicture.h"

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

void TSpeedButton::SetGlyph(const TPicture& v) {
    glyph_ = v;
    const QPixmap pixmap = ToPixmap(v);
    setIcon(QIcon(pixmap));
    if (!pixmap.isNull()) {
        setIconSize(pixmap.deviceIndependentSize().toSize());
    }
}

} // namespace pellow
