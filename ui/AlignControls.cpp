#include "ui/AlignControls.h"

#include <algorithm>
#include <numeric>

namespace pellow {

namespace {

// Before `a` and `b` docked at the same edge, the one nearer that edge.
bool NearerTheEdge(TAlign align, const TRect& a, const TRect& b) {
    switch (align) {
    case TAlign::alTop:
        return a.Top < b.Top;
    case TAlign::alBottom:
        return a.Bottom() > b.Bottom();
    case TAlign::alLeft:
        return a.Left < b.Left;
    case TAlign::alRight:
        return a.Right() > b.Right();
    default:
        return false;
    }
}

TRect Dock(TAlign align, const TRect& control, TRect& rest) {
    TRect place = rest;
    switch (align) {
    case TAlign::alTop:
        place.Height = std::min(control.Height, rest.Height);
        rest.Top += place.Height;
        rest.Height -= place.Height;
        break;
    case TAlign::alBottom:
        place.Height = std::min(control.Height, rest.Height);
        place.Top = rest.Bottom() - place.Height;
        rest.Height -= place.Height;
        break;
    case TAlign::alLeft:
        place.Width = std::min(control.Width, rest.Width);
        rest.Left += place.Width;
        rest.Width -= place.Width;
        break;
    case TAlign::alRight:
        place.Width = std::min(control.Width, rest.Width);
        place.Left = rest.Right() - place.Width;
        rest.Width -= place.Width;
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
            return NearerTheEdge(align, items[a].Bounds, items[b].Bounds);
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
