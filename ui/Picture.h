#pragma once
// A small picture, described by the shapes it is drawn with rather than by its pixels, so
// that every toolkit paints the same picture its own way. Coordinates are pixels from the
// top-left corner, with fractions where a shape sits between pixels; shapes are painted in
// order over a transparent background.

#include "ui/Color.h"

#include <optional>
#include <vector>

namespace pellow {

struct TPointF {
    double X = 0;
    double Y = 0;
    bool operator==(const TPointF&) const = default;
};

struct TPictureShape {
    enum class TKind {
        Rectangle, // Points: top-left corner, then width and height
        Ellipse,   // inside the rectangle given as for Rectangle
        Polygon,   // closed through its Points
        Line,      // from the first point to the second
    };
    TKind Kind = TKind::Rectangle;
    std::vector<TPointF> Points;
    // The outline: no outline without a colour.
    std::optional<TColor> Pen;
    double PenWidth = 1;
    // The fill: none without a colour.
    std::optional<TColor> Brush;
    bool operator==(const TPictureShape&) const = default;
};

struct TPicture {
    int Width = 0;
    int Height = 0;
    // Whether edges are smoothed; pixel-exact pictures are not.
    bool Antialiased = false;
    std::vector<TPictureShape> Shapes;

    bool Empty() const { return Width == 0 || Height == 0; }
    bool operator==(const TPicture&) const = default;
};

} // namespace pellow
