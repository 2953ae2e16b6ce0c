#include "app/Pictures.h"

#include <QPainter>
#include <QPainterPath>

namespace pellow {

namespace {

QPixmap Blank(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

} // namespace

QPixmap DesktopComputerPicture() {
    QPixmap pixmap = Blank(16);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    // Monitor: dark frame, blue screen.
    p.setPen(QColor(40, 40, 40));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(1, 1, 13, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 110, 200));
    p.drawRect(3, 3, 10, 7);
    p.setBrush(QColor(150, 200, 255));
    p.drawRect(4, 4, 4, 2);
    // Stand and base.
    p.setBrush(QColor(90, 90, 90));
    p.drawRect(6, 12, 4, 1);
    p.setPen(QColor(40, 40, 40));
    p.setBrush(QColor(170, 170, 170));
    p.drawRect(3, 13, 9, 2);
    return pixmap;
}

QPixmap SheetWithArrowPicture() {
    QPixmap pixmap = Blank(16);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, true);
    // Sheet with a folded corner.
    QPainterPath sheet;
    sheet.moveTo(2.5, 0.5);
    sheet.lineTo(10.5, 0.5);
    sheet.lineTo(13.5, 3.5);
    sheet.lineTo(13.5, 15.5);
    sheet.lineTo(2.5, 15.5);
    sheet.closeSubpath();
    p.setPen(QPen(QColor(80, 80, 80), 1));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    p.drawLine(QPointF(10.5, 0.5), QPointF(10.5, 3.5));
    p.drawLine(QPointF(10.5, 3.5), QPointF(13.5, 3.5));
    // Red arrow pointing down.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 20, 20));
    p.drawRect(QRectF(6.5, 3, 3, 6));
    QPainterPath head;
    head.moveTo(4, 8.5);
    head.lineTo(12, 8.5);
    head.lineTo(8, 13.5);
    head.closeSubpath();
    p.drawPath(head);
    return pixmap;
}

QPixmap ExitPicture() {
    QPixmap pixmap = Blank(24);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, true);
    // An open door with an arrow leaving through it.
    p.setPen(QPen(QColor(70, 70, 70), 1.5));
    p.setBrush(QColor(235, 225, 200));
    p.drawRect(QRectF(3.5, 2.5, 11, 19));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 100, 50));
    QPolygonF door;
    door << QPointF(3.5, 2.5) << QPointF(10, 5) << QPointF(10, 23) << QPointF(3.5, 21.5);
    p.drawPolygon(door);
    p.setBrush(QColor(250, 210, 60));
    p.drawEllipse(QPointF(8.5, 13), 1, 1);
    p.setBrush(QColor(200, 30, 30));
    p.drawRect(QRectF(12, 11, 6, 3));
    QPolygonF head;
    head << QPointF(17, 7.5) << QPointF(22.5, 12.5) << QPointF(17, 17.5);
    p.drawPolygon(head);
    return pixmap;
}

} // namespace pellow
