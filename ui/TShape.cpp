#include "ui/TShape.h"

#include "ui/Toolkit.h"
#include "ui/TWinControl.h"

namespace pellow {

TShape::TShape(TWinControl& parent, bool filled)
    : TControl(&parent, NewShapePeer(parent.Peer(), filled)), filled_(filled) {
    PeerAs<TShapePeer>().SetColors(pen_, brush_);
}

void TShape::SetPenColor(const TColor& v) {
    pen_ = v;
    PeerAs<TShapePeer>().SetColors(pen_, brush_);
}

void TShape::SetBrushColor(const TColor& v) {
    brush_ = v;
    PeerAs<TShapePeer>().SetColors(pen_, brush_);
}

} // namespace pellow
