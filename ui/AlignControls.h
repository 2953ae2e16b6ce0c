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
    // The control just placed or docked by code: at the same distance from its edge as
    // another, it goes first, so it lands where it was put.
    bool Moved = false;
};

// The place of each item within `client`, the parent's area for docked controls.
// Docking goes top, bottom, left, right, then the filling control; among controls docked
// at the same edge the one nearer that edge now goes first, and so they keep their order;
// a tie goes to the moved one.
// A docked control keeps its size along its edge; what is left never goes below 0.
// Hidden controls keep their place and take no room.
std::vector<TRect> AlignControls(std::span<const TAlignItem> items, const TRect& client);

} // namespace pellow
