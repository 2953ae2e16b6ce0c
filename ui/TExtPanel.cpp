#include "ui/TExtPanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace pellow {

TExtPanel::TExtPanel(QWidget* parent, const TDispatcher* dispatcher, const std::string& caption)
    : TControl(parent, dispatcher) {
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);

    auto* bar = new QFrame(this);
    bar->setObjectName(QStringLiteral("CaptionBar"));
    bar->setFixedHeight(CaptionHeight);
    bar->setAutoFillBackground(true);
    QPalette barPalette = bar->palette();
    barPalette.setColor(QPalette::Window, barPalette.color(QPalette::Highlight));
    barPalette.setColor(QPalette::WindowText, barPalette.color(QPalette::HighlightedText));
    barPalette.setColor(QPalette::ButtonText, barPalette.color(QPalette::HighlightedText));
    bar->setPalette(barPalette);

    caption_ = new QLabel(ToQString(caption), bar);
    closeButton_ = new QToolButton(bar);
    closeButton_->setObjectName(QStringLiteral("CloseButton"));
    closeButton_->setText(QStringLiteral("\u2715"));
    closeButton_->setAutoRaise(true);
    closeButton_->setFixedSize(CaptionHeight - 2, CaptionHeight - 2);

    auto* barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(4, 0, 1, 0);
    barLayout->setSpacing(0);
    barLayout->addWidget(caption_, 1);
    barLayout->addWidget(closeButton_);

    content_ = new QWidget(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(content_, 1);

    connect(closeButton_, &QToolButton::clicked, this, [this] {
        SetVisible(false);
        Fire(OnClose);
    });
}

std::string TExtPanel::Caption() const {
    return ToStdString(caption_->text());
}

} // namespace pellow
