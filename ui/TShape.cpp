#include "ui/TShape.h"

#include <QPainter>

namespace pellow {

TShape::TShape(QWidget* parent, const TDispatcher* dispatcher, bool filled)
    : TControl(parent, dispatcher), filled_(filled) {
    setAttribute(Qt::WA_TranslucentBackground);
}

void TShape::SetPenColor(const QColor& v) {
    pen_ = v;
    update();
}

void TShape::SetBrushColor(const QColor& v) {
    brush_ = v;
    update();
}

void TShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(filled_ ? QPen(brush_) : QPen(pen_, 1.5));
    painter.setBrush(filled_ ? QBrush(brush_) : QBrush(Qt::NoBrush));
    painter.drawEllipse(QRectF(rect()).adjusted(1, 1, -1, -1));
}

} // namespace pellow
