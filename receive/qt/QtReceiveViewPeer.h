#pragma once
// The receive area on Qt Widgets: a scroll area that paints the cells the area hands it,
// with the vertical scroll bar always shown so that the wrapping width never changes with
// it. GUI thread only.

#include "receive/ReceiveViewPeer.h"
#include "ui/qt/QtControlPeer.h"

#include <QAbstractScrollArea>

namespace pellow {

class QtReceiveViewPeer final : public QtControlPeer<QAbstractScrollArea, TReceiveViewPeer> {
public:
    explicit QtReceiveViewPeer(QWidget* parent);

    int ViewportWidth() const override;
    int ViewportHeight() const override;
    TTextMetrics Metrics() const override;
    void SetScrollRange(int maximum, int pageStep) override;
    void SetScrollPosition(int row) override;
    void Repaint() override;
    void CopyToClipboard(const std::string& bytes) override;
    void OfferSelection(const std::string& bytes) override;
    void SetFont(const TFont& font) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void UpdateFontMetrics();

    // Set while the scroll bar is moved from code, which the area already knows of.
    bool scrollingFromCode_ = false;
    qreal cellWidth_ = 7;
    int rowHeight_ = 15;
    int ascent_ = 12;
};

} // namespace pellow
