#include "app/Pictures.h"

namespace pellow {

namespace {

using TKind = TPictureShape::TKind;
using Colour = std::optional<TColor>;
constexpr Colour None = std::nullopt;

TPictureShape Rectangle(double x, double y, double w, double h, Colour pen, Colour brush,
                        double penWidth = 1) {
    return {TKind::Rectangle, {{x, y}, {w, h}}, pen, penWidth, brush};
}

TPictureShape Ellipse(double x, double y, double w, double h, Colour brush) {
    return {TKind::Ellipse, {{x, y}, {w, h}}, None, 1, brush};
}

TPictureShape Polygon(std::vector<TPointF> points, Colour pen, Colour brush) {
    return {TKind::Polygon, std::move(points), pen, 1, brush};
}

TPictureShape Line(TPointF from, TPointF to, TColor pen) {
    return {TKind::Line, {from, to}, pen, 1, None};
}

} // namespace

TPicture DesktopComputerPicture() {
    constexpr TColor frame{40, 40, 40};
    return {16,
            16,
            false,
            {
                // Monitor: dark frame, blue screen.
                Rectangle(1, 1, 13, 10, frame, TColor{200, 200, 200}),
                Rectangle(3, 3, 10, 7, None, TColor{40, 110, 200}),
                Rectangle(4, 4, 4, 2, None, TColor{150, 200, 255}),
                // Stand and base.
                Rectangle(6, 12, 4, 1, None, TColor{90, 90, 90}),
                Rectangle(3, 13, 9, 2, frame, TColor{170, 170, 170}),
            }};
}

TPicture SheetWithArrowPicture() {
    constexpr TColor outline{80, 80, 80};
    constexpr TColor red{220, 20, 20};
    return {16,
            16,
            true,
            {
                // Sheet with a folded corner.
                Polygon({{2.5, 0.5}, {10.5, 0.5}, {13.5, 3.5}, {13.5, 15.5}, {2.5, 15.5}}, outline,
                        clWhite),
                Line({10.5, 0.5}, {10.5, 3.5}, outline),
                Line({10.5, 3.5}, {13.5, 3.5}, outline),
                // Red arrow pointing down.
                Rectangle(6.5, 3, 3, 6, None, red),
                Polygon({{4, 8.5}, {12, 8.5}, {8, 13.5}}, None, red),
            }};
}

TPicture ExitPicture() {
    return {24,
            24,
            true,
            {
                // An open door with an arrow leaving through it.
                Rectangle(3.5, 2.5, 11, 19, TColor{70, 70, 70}, TColor{235, 225, 200}, 1.5),
                Polygon({{3.5, 2.5}, {10, 5}, {10, 23}, {3.5, 21.5}}, None, TColor{150, 100, 50}),
                Ellipse(7.5, 12, 2, 2, TColor{250, 210, 60}),
                Rectangle(12, 11, 6, 3, None, TColor{200, 30, 30}),
                Polygon({{17, 7.5}, {22.5, 12.5}, {17, 17.5}}, None, TColor{200, 30, 30}),
            }};
}

} // namespace pellow
