#include "ui/win32/Win32Picture.h"

#include <cmath>
#include <vector>

namespace pellow {

namespace {

int Pixel(double v) {
    return int(std::lround(v));
}

COLORREF ToColorRef(const TColor& c) {
    return RGB(c.R, c.G, c.B);
}

void Paint(HDC dc, const TPictureShape& shape, int left, int top) {
    const HPEN pen = shape.Pen ? ::CreatePen(PS_SOLID, std::max(1, Pixel(shape.PenWidth)),
                                             ToColorRef(*shape.Pen))
                               : nullptr;
    const HBRUSH brush = shape.Brush ? ::CreateSolidBrush(ToColorRef(*shape.Brush)) : nullptr;
    const HGDIOBJ oldPen = ::SelectObject(dc, pen ? static_cast<HGDIOBJ>(pen) : ::GetStockObject(NULL_PEN));
    const HGDIOBJ oldBrush =
        ::SelectObject(dc, brush ? static_cast<HGDIOBJ>(brush) : ::GetStockObject(NULL_BRUSH));
    const auto& p = shape.Points;
    // GDI leaves the right and bottom edge out of a shape drawn without a pen.
    const int edge = pen ? 0 : 1;
    switch (shape.Kind) {
    case TPictureShape::TKind::Rectangle:
    case TPictureShape::TKind::Ellipse: {
        const int l = left + Pixel(p.at(0).X);
        const int t = top + Pixel(p.at(0).Y);
        const int r = l + Pixel(p.at(1).X) + edge;
        const int b = t + Pixel(p.at(1).Y) + edge;
        if (shape.Kind == TPictureShape::TKind::Rectangle)
            ::Rectangle(dc, l, t, r, b);
        else
            ::Ellipse(dc, l, t, r, b);
        break;
    }
    case TPictureShape::TKind::Polygon: {
        std::vector<POINT> points;
        for (const TPointF& point : p)
            points.push_back({left + Pixel(point.X), top + Pixel(point.Y)});
        ::Polygon(dc, points.data(), int(points.size()));
        break;
    }
    case TPictureShape::TKind::Line:
        ::MoveToEx(dc, left + Pixel(p.at(0).X), top + Pixel(p.at(0).Y), nullptr);
        ::LineTo(dc, left + Pixel(p.at(1).X), top + Pixel(p.at(1).Y));
        break;
    }
    ::SelectObject(dc, oldBrush);
    ::SelectObject(dc, oldPen);
    if (pen)
        ::DeleteObject(pen);
    if (brush)
        ::DeleteObject(brush);
}

} // namespace

void PaintPicture(HDC dc, const TPicture& picture, int left, int top) {
    for (const TPictureShape& shape : picture.Shapes)
        Paint(dc, shape, left, top);
}

} // namespace pellow
