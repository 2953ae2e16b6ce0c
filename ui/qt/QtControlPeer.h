#pragma once
// Peers on Qt Widgets: each peer is the widget that shows its control, made inside its
// parent's widget. GUI thread only.

#include "ui/Peers.h"
#include "ui/qt/QtText.h"

#include <QEvent>
#include <QWidget>

namespace pellow {

// A peer whose children go into another widget than itself (a scrolled area).
class QtContainer {
public:
    virtual ~QtContainer() = default;
    virtual QWidget* ChildHost() = 0;
};

// The widget the children of `parent` are made in.
QWidget* QtChildHost(TControlPeer& parent);

// A hint as a tool-tip: a hint may break its line with a lone carriage return, a tool-tip
// wants LF.
QString ToolTipText(const std::string& hint);

// What every peer does, on its widget.
template <class Widget, class Peer> class QtControlPeer : public Widget, public Peer {
public:
    template <class... Args>
    explicit QtControlPeer(Args&&... args) : Widget(std::forward<Args>(args)...) {}
    // What the widget signals while it is taken apart reaches no control.
    ~QtControlPeer() override { this->blockSignals(true); }

    void SetName(const std::string& name) override {
        this->setObjectName(QString::fromStdString(name));
    }
    void SetBounds(const TRect& r) override {
        this->setGeometry(r.Left, r.Top, r.Width, r.Height);
    }
    void SetVisible(bool visible) override { this->setVisible(visible); }
    void SetEnabled(bool enabled) override { this->setEnabled(enabled); }
    void SetToolTip(const std::string& text) override { this->setToolTip(ToolTipText(text)); }
    void SetFocus() override { this->setFocus(); }
    TMargins ClientInsets() const override {
        const QRect inside = this->contentsRect();
        return {inside.left(), inside.top(), this->width() - inside.right() - 1,
                this->height() - inside.bottom() - 1};
    }

protected:
    bool event(QEvent* event) override {
        const bool handled = Widget::event(event);
        if (event->type() == QEvent::ContentsRectChange && this->ClientChanged)
            this->ClientChanged();
        return handled;
    }
};

} // namespace pellow
