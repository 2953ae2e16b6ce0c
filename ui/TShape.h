#pragma once
// A circle with an outline (pen) and a fill (brush); the port lamp is two of them.

#include "ui/TControl.h"

#include <QColor>

namespace pellow {

class TShape : public TControl<QWidget> {
public:
    TShape(QWidget* parent, const TDispatcher* dispatcher, bool filled);

    QColor PenColor() const { return pen_; }
    void SetPenColor(const QColor& v);
    QColor BrushColor() const { return brush_; }
    void SetBrushColor(const QColor& v);
    bool Filled() const { return filled_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor pen_{Qt::black};
    QColor brush_{Qt::white};
    bool filled_;
};

} // namespace pellow
