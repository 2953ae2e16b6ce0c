// Labels, panels, group boxes, scrolling panels, scroll bars and shapes on Qt.
#include "ui/Toolkit.h"
#include "ui/qt/QtControlPeer.h"

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>

namespace pellow {

namespace {

class QtLabelPeer final : public QtControlPeer<QLabel, TCaptionPeer> {
public:
    explicit QtLabelPeer(QWidget* parent) : QtControlPeer(parent) {}
    void SetCaption(const std::string& caption) override { setText(ToQString(caption)); }
};

class QtPanelPeer final : public QtControlPeer<QFrame, TCaptionPeer> {
public:
    QtPanelPeer(QWidget* parent, TBevel bevel) : QtControlPeer(parent) {
        switch (bevel) {
        case TBevel::None:
            setFrameStyle(QFrame::NoFrame);
            break;
        case TBevel::Raised:
            setFrameStyle(QFrame::Panel | QFrame::Raised);
            break;
        case TBevel::Lowered:
            setFrameStyle(QFrame::Panel | QFrame::Sunken);
            break;
        }
    }
    void SetCaption(const std::string& caption) override {
        if (caption == caption_)
            return;
        caption_ = caption;
        update();
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        QFrame::paintEvent(event);
        if (caption_.empty())
            return;
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::WindowText));
        const QRect area = contentsRect().adjusted(3, 0, -2, 0);
        painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         fontMetrics().elidedText(ToQString(caption_), Qt::ElideRight, area.width()));
    }

private:
    std::string caption_;
};

class QtGroupBoxPeer final : public QtControlPeer<QGroupBox, TCaptionPeer> {
public:
    explicit QtGroupBoxPeer(QWidget* parent) : QtControlPeer(parent) {}
    void SetCaption(const std::string& caption) override { setTitle(ToQString(caption)); }
};

class QtScrollBoxPeer final : public QtControlPeer<QScrollArea, TScrollBoxPeer>,
                              public QtContainer {
public:
    explicit QtScrollBoxPeer(QWidget* parent) : QtControlPeer(parent), content_(new QWidget) {
        setFrameStyle(QFrame::NoFrame);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        verticalScrollBar()->setStyleSheet(QStringLiteral("QScrollBar { width: 8px; }"));
        setWidget(content_);
    }
    void SetName(const std::string& name) override {
        QtControlPeer::SetName(name);
        content_->setObjectName(QString::fromStdString(name + "Rows"));
    }
    void SetContentSize(int width, int height) override { content_->setFixedSize(width, height); }
    QWidget* ChildHost() override { return content_; }

private:
    QWidget* content_;
};

class QtScrollBarPeer final : public QtControlPeer<QScrollBar, TScrollBarPeer> {
public:
    explicit QtScrollBarPeer(QWidget* parent) : QtControlPeer(Qt::Vertical, parent) {
        connect(this, &QScrollBar::valueChanged, this, [this](int position) {
            if (Scrolled)
                Scrolled(position);
        });
    }
    void SetScroll(const TScrollInfo& scroll) override {
        const QSignalBlocker blocker(this);
        setRange(scroll.Min, scroll.Max);
        setPageStep(scroll.PageStep);
        setSingleStep(scroll.SingleStep);
        setValue(scroll.Position);
    }
};

class QtShapePeer final : public QtControlPeer<QWidget, TShapePeer> {
public:
    QtShapePeer(QWidget* parent, bool filled) : QtControlPeer(parent), filled_(filled) {
        setAttribute(Qt::WA_TranslucentBackground);
    }
    void SetColors(TColor pen, TColor brush) override {
        pen_ = QColor(pen.R, pen.G, pen.B);
        brush_ = QColor(brush.R, brush.G, brush.B);
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(filled_ ? QPen(brush_) : QPen(pen_, 1.5));
        painter.setBrush(filled_ ? QBrush(brush_) : QBrush(Qt::NoBrush));
        painter.drawEllipse(QRectF(rect()).adjusted(1, 1, -1, -1));
    }

private:
    QColor pen_{Qt::black};
    QColor brush_{Qt::white};
    bool filled_;
};

} // namespace

std::unique_ptr<TCaptionPeer> NewLabelPeer(TControlPeer& parent) {
    return std::make_unique<QtLabelPeer>(QtChildHost(parent));
}

std::unique_ptr<TCaptionPeer> NewPanelPeer(TControlPeer& parent, TBevel bevel) {
    return std::make_unique<QtPanelPeer>(QtChildHost(parent), bevel);
}

std::unique_ptr<TCaptionPeer> NewGroupBoxPeer(TControlPeer& parent) {
    return std::make_unique<QtGroupBoxPeer>(QtChildHost(parent));
}

std::unique_ptr<TScrollBoxPeer> NewScrollBoxPeer(TControlPeer& parent) {
    return std::make_unique<QtScrollBoxPeer>(QtChildHost(parent));
}

std::unique_ptr<TScrollBarPeer> NewScrollBarPeer(TControlPeer& parent) {
    return std::make_unique<QtScrollBarPeer>(QtChildHost(parent));
}

std::unique_ptr<TShapePeer> NewShapePeer(TControlPeer& parent, bool filled) {
    return std::make_unique<QtShapePeer>(QtChildHost(parent), filled);
}

} // namespace pellow
