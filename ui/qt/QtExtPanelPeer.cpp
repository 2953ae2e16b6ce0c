// A panel with a caption bar and a close button, on Qt.
#include "ui/Toolkit.h"
#include "ui/qt/QtControlPeer.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace pellow {

namespace {

class QtExtPanelPeer final : public QtControlPeer<QFrame, TExtPanelPeer> {
public:
    static constexpr int CaptionHeight = 20;
    // Between the frame and what it holds.
    static constexpr int Gap = 1;

    explicit QtExtPanelPeer(QWidget* parent) : QtControlPeer(parent) {
        setFrameStyle(QFrame::Box | QFrame::Plain);
        setLineWidth(1);

        bar_ = new QFrame(this);
        bar_->setObjectName(QStringLiteral("CaptionBar"));
        bar_->setAutoFillBackground(true);
        QPalette barPalette = bar_->palette();
        barPalette.setColor(QPalette::Window, barPalette.color(QPalette::Highlight));
        barPalette.setColor(QPalette::WindowText, barPalette.color(QPalette::HighlightedText));
        barPalette.setColor(QPalette::ButtonText, barPalette.color(QPalette::HighlightedText));
        bar_->setPalette(barPalette);

        caption_ = new QLabel(bar_);
        auto* closeButton = new QToolButton(bar_);
        closeButton->setObjectName(QStringLiteral("CloseButton"));
        closeButton->setText(QStringLiteral("\u2715"));
        closeButton->setAutoRaise(true);
        closeButton->setFixedSize(CaptionHeight - 2, CaptionHeight - 2);

        auto* barLayout = new QHBoxLayout(bar_);
        barLayout->setContentsMargins(4, 0, 1, 0);
        barLayout->setSpacing(0);
        barLayout->addWidget(caption_, 1);
        barLayout->addWidget(closeButton);

        connect(closeButton, &QToolButton::clicked, this, [this] {
            if (CloseClicked)
                CloseClicked();
        });
    }
    void SetCaption(const std::string& caption) override { caption_->setText(ToQString(caption)); }
    // The caption bar stands inside the frame, above the children.
    TMargins ClientInsets() const override {
        const TMargins frame = QtControlPeer::ClientInsets();
        return {frame.Left + Gap, frame.Top + Gap + CaptionHeight, frame.Right + Gap,
                frame.Bottom + Gap};
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QFrame::resizeEvent(event);
        const QRect inside = contentsRect().adjusted(Gap, Gap, -Gap, -Gap);
        bar_->setGeometry(inside.left(), inside.top(), inside.width(), CaptionHeight);
    }

private:
    QFrame* bar_;
    QLabel* caption_;
};

} // namespace

std::unique_ptr<TExtPanelPeer> NewExtPanelPeer(TControlPeer& parent) {
    return std::make_unique<QtExtPanelPeer>(QtChildHost(parent));
}

} // namespace pellow
