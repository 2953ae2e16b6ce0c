#pragma once
// The layout routine: where docked and anchored controls go within their parent. Pure;
// any thread.

#include "ui/Geometry.h"

#include <span>
#include <vector>

namespace pellow {

struct TAlignItem {
    TAlign Align = TAlign::alNone;
    TAnchors Anchors;
    // The control's place now; an undocked control keeps its size and, on its left and
    // top anchors, its place.
    TRect Bounds;
    // Distances to the client's right and bottom edges, for right and bottom anchors.
    int RightGap = 0;
    int BottomGap = 0;
    bool Visible = true;
};

// The place of each item within `client`, the parent's area for docked controls.
// Docking goes top, bottom, left, right, then the filling control; among controls docked
// at the same edge the one nearer that edge now goes first, and so they keep their order.
// Hidden controls keep their place and take no room. Sizes never go below 0.
std::vector<TRect> AlignControls(std::span<const TAlignItem> items, const TRect& client);

} // namespace pellow
