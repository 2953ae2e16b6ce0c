#pragma once
// A circle with an outline (pen) and a fill (brush); the port lamp is two of them.
//
// GUI thread only.

#include "ui/Color.h"
#include "ui/TControl.h"

namespace pellow {

class TShape : public TControl {
public:
    TShape(TWinControl& parent, bool filled);

    TColor PenColor() const { return pen_; }
    void SetPenColor(const TColor& v);
    TColor BrushColor() const { return brush_; }
    void SetBrushColor(const TColor& v);
    bool Filled() const { return filled_; }

private:
    TColor pen_ = clBlack;
    TColor brush_ = clWhite;
    bool filled_;
};

} // namespace pellow
