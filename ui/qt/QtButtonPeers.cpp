// Push buttons, flat picture buttons and check boxes on Qt.
#include "ui/Toolkit.h"
#include "ui/qt/QtControlPeer.h"
#include "ui/qt/QtPicture.h"

#include <QCheckBox>
#include <QPushButton>
#include <QToolButton>

namespace pellow {

namespace {

class QtButtonPeer final : public QtControlPeer<QPushButton, TButtonPeer> {
public:
    explicit QtButtonPeer(QWidget* parent) : QtControlPeer(parent) {
        // Only the window's default button takes Enter; the others let it through.
        setAutoDefault(false);
        connect(this, &QPushButton::clicked, this, [this] {
            if (Clicked)
                Clicked();
        });
    }
    void SetCaption(const std::string& caption) override { setText(ToQString(caption)); }
    void SetDefault(bool isDefault) override { setDefault(isDefault); }
};

class QtSpeedButtonPeer final : public QtControlPeer<QToolButton, TSpeedButtonPeer> {
public:
    explicit QtSpeedButtonPeer(QWidget* parent) : QtControlPeer(parent) {
        setAutoRaise(true);
        connect(this, &QToolButton::clicked, this, [this] {
            if (Clicked)
                Clicked();
        });
    }
    void SetCaption(const std::string& caption) override {
        setText(ToQString(caption));
        setToolButtonStyle(caption.empty() ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextUnderIcon);
    }
    void SetGlyph(const TPicture& glyph) override {
        const QPixmap pixmap = ToPixmap(glyph);
        setIcon(QIcon(pixmap));
        if (!pixmap.isNull())
            setIconSize(pixmap.deviceIndependentSize().toSize());
    }
};

class QtCheckBoxPeer final : public QtControlPeer<QCheckBox, TCheckBoxPeer> {
public:
    explicit QtCheckBoxPeer(QWidget* parent) : QtControlPeer(parent) {
        // clicked comes only from the user (or click()), after the state has changed.
        connect(this, &QCheckBox::clicked, this, [this](bool checked) {
            if (Clicked)
                Clicked(checked);
        });
    }
    void SetCaption(const std::string& caption) override { setText(ToQString(caption)); }
    void SetChecked(bool checked) override { setChecked(checked); }
};

} // namespace

std::unique_ptr<TButtonPeer> NewButtonPeer(TControlPeer& parent) {
    return std::make_unique<QtButtonPeer>(QtChildHost(parent));
}

std::unique_ptr<TSpeedButtonPeer> NewSpeedButtonPeer(TControlPeer& parent) {
    return std::make_unique<QtSpeedButtonPeer>(QtChildHost(parent));
}

std::unique_ptr<TCheckBoxPeer> NewCheckBoxPeer(TControlPeer& parent) {
    return std::make_unique<QtCheckBoxPeer>(QtChildHost(parent));
}

} // namespace pellow
