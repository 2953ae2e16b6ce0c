#include "ui/AlignControls.h"

#include <algorithm>
#include <numeric>

namespace pellow {

namespace {

// How far from the edge a control stands, in a measure that grows away from it.
int FromTheEdge(TAlign align, const TRect& r) {
    switch (align) {
    case TAlign::alTop:
        return r.Top;
    case TAlign::alBottom:
        return -r.Bottom();
    case TAlign::alLeft:
        return r.Left;
    case TAlign::alRight:
        return -r.Right();
    default:
        return 0;
    }
}

// Before `a` and `b` docked at the same edge, the one nearer that edge; at a tie, the
// one just moved.
bool NearerTheEdge(TAlign align, const TAlignItem& a, const TAlignItem& b) {
    const int da = FromTheEdge(align, a.Bounds);
    const int db = FromTheEdge(align, b.Bounds);
    return da < db || (da == db && a.Moved && !b.Moved);
}

// A docked control keeps its size along its edge, even where that leaves no room: the
// next time there is room it has it again.
TRect Dock(TAlign align, const TRect& control, TRect& rest) {
    TRect place = rest;
    switch (align) {
    case TAlign::alTop:
        place.Height = control.Height;
        rest.Top += control.Height;
        rest.Height = std::max(0, rest.Height - control.Height);
        break;
    case TAlign::alBottom:
        place.Height = control.Height;
        place.Top = rest.Bottom() - control.Height;
        // Where it does not fit, what is left sits on its top edge, so that the next one
        // stacks above it as alTop controls stack below theirs, and the order survives.
        rest.Top = std::min(rest.Top, place.Top);
        rest.Height = std::max(0, rest.Height - control.Height);
        break;
    case TAlign::alLeft:
        place.Width = control.Width;
        rest.Left += control.Width;
        rest.Width = std::max(0, rest.Width - control.Width);
        break;
    case TAlign::alRight:
        place.Width = control.Width;
        place.Left = rest.Right() - control.Width;
        rest.Left = std::min(rest.Left, place.Left);
        rest.Width = std::max(0, rest.Width - control.Width);
        break;
    default:
        break;
    }
    return place;
}

TRect Anchored(const TAlignItem& item, const TRect& client) {
    TRect place = item.Bounds;
    if (item.Anchors.Right) {
        const int right = client.Right() - item.RightGap;
        if (item.Anchors.Left)
            place.Width = std::max(0, right - place.Left);
        else
            place.Left = right - place.Width;
    }
    if (item.Anchors.Bottom) {
        const int bottom = client.Bottom() - item.BottomGap;
        if (item.Anchors.Top)
            place.Height = std::max(0, bottom - place.Top);
        else
            place.Top = bottom - place.Height;
    }
    return place;
}

} // namespace

std::vector<TRect> AlignControls(std::span<const TAlignItem> items, const TRect& client) {
    std::vector<TRect> places(items.size());
    TRect rest = client;
    rest.Width = std::max(0, rest.Width);
    rest.Height = std::max(0, rest.Height);
    std::vector<std::size_t> order(items.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    for (const TAlign align :
         {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight, TAlign::alClient}) {
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return NearerTheEdge(align, items[a], items[b]);
        });
        for (const std::size_t i : order) {
            if (items[i].Align != align || !items[i].Visible)
                continue;
            places[i] = align == TAlign::alClient ? rest : Dock(align, items[i].Bounds, rest);
        }
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].Align == TAlign::alNone)
            places[i] = Anchored(items[i], client);
        else if (!items[i].Visible)
            places[i] = items[i].Bounds;
    }
    return places;
}

} // namespace pellow
