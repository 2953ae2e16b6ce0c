#include "ui/TLabel.h"

#include <QPainter>

namespace pellow {

TPanel::TPanel(QWidget* parent, const TDispatcher* dispatcher, TBevel bevel)
    : TControl(parent, dispatcher) {
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

void TPanel::SetCaption(const std::string& v) {
    if (v == caption_) {
        return;
    }
    caption_ = v;
    update();
}

void TPanel::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (caption_.empty()) {
        return;
    }
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect area = contentsRect().adjusted(3, 0, -2, 0);
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     fontMetrics().elidedText(ToQString(caption_), Qt::ElideRight, area.width()));
}

} // namespace pellow
