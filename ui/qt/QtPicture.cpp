#include "ui/qt/QtPicture.h"

#include <QPainter>
#include <QPainterPath>

namespace pellow {

namespace {

QColor ToQColor(const TColor& c) {
    return QColor(c.R, c.G, c.B);
}

QRectF RectOf(const TPictureShape& shape) {
    return QRectF(shape.Points.at(0).X, shape.Points.at(0).Y, shape.Points.at(1).X,
                  shape.Points.at(1).Y);
}

void Paint(QPainter& p, const TPictureShape& shape) {
    p.setPen(shape.Pen ? QPen(ToQColor(*shape.Pen), shape.PenWidth) : QPen(Qt::NoPen));
    p.setBrush(shape.Brush ? QBrush(ToQColor(*shape.Brush)) : QBrush(Qt::NoBrush));
    switch (shape.Kind) {
    case TPictureShape::TKind::Rectangle:
        p.drawRect(RectOf(shape));
        break;
    case TPictureShape::TKind::Ellipse:
        p.drawEllipse(RectOf(shape));
        break;
    case TPictureShape::TKind::Polygon: {
        QPainterPath path;
        path.moveTo(shape.Points.at(0).X, shape.Points.at(0).Y);
        for (std::size_t i = 1; i < shape.Points.size(); ++i)
            path.lineTo(shape.Points[i].X, shape.Points[i].Y);
        path.closeSubpath();
        p.drawPath(path);
        break;
    }
    case TPictureShape::TKind::Line:
        p.drawLine(QPointF(shape.Points.at(0).X, shape.Points.at(0).Y),
                   QPointF(shape.Points.at(1).X, shape.Points.at(1).Y));
        break;
    }
}

} // namespace

QPixmap ToPixmap(const TPicture& picture) {
    if (picture.Empty())
        return {};
    QPixmap pixmap(picture.Width, picture.Height);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, picture.Antialiased);
    for (const TPictureShape& shape : picture.Shapes)
        Paint(p, shape);
    return pixmap;
}

} // namespace pellow
