// The layout routine: docking, filling, hidden controls and anchors.
#include "ui/AlignControls.h"

#include <gtest/gtest.h>

namespace pellow {
namespace {

TAlignItem Docked(TAlign align, TRect bounds, bool visible = true) {
    TAlignItem item;
    item.Align = align;
    item.Bounds = bounds;
    item.Visible = visible;
    return item;
}

TEST(AlignControlsTest, DockedAtTheSameEdgeInTheOrderTheyStandNotTheOrderGiven) {
    // A window: a filling panel, a bottom panel above a status bar, listed out of order.
    const std::vector<TAlignItem> items = {
        Docked(TAlign::alClient, {0, 0, 693, 328}),
        Docked(TAlign::alBottom, {0, 328, 693, 153}),
        Docked(TAlign::alBottom, {0, 481, 693, 21}),
    };
    const auto places = AlignControls(items, {0, 0, 900, 700});
    EXPECT_EQ(places[2], (TRect{0, 679, 900, 21}));
    EXPECT_EQ(places[1], (TRect{0, 526, 900, 153}));
    EXPECT_EQ(places[0], (TRect{0, 0, 900, 526}));
}

// A window is laid out before it has a size; the order at an edge must outlast that.
TEST(AlignControlsTest, OrderAtAnEdgeSurvivesALayoutWithNoRoom) {
    for (const TAlign edge : {TAlign::alBottom, TAlign::alRight}) {
        std::vector<TAlignItem> items = {Docked(edge, {328, 328, 153, 153}),
                                         Docked(edge, {481, 481, 21, 21})};
        const auto squeezed = AlignControls(items, {0, 0, 0, 0});
        for (std::size_t i = 0; i < items.size(); ++i)
            items[i].Bounds = squeezed[i];
        const auto places = AlignControls(items, {0, 0, 502, 502});
        const bool bottom = edge == TAlign::alBottom;
        EXPECT_EQ(bottom ? places[1].Top : places[1].Left, 481);
        EXPECT_EQ(bottom ? places[0].Top : places[0].Left, 328);
    }
}

// Docked one after the other by code: the one just put at the edge stays there.
TEST(AlignControlsTest, ATieAtAnEdgeGoesToTheControlJustMoved) {
    std::vector<TAlignItem> items = {Docked(TAlign::alBottom, {0, 349, 693, 153}),
                                     Docked(TAlign::alBottom, {0, 481, 693, 21})};
    items[1].Moved = true;
    const auto places = AlignControls(items, {0, 0, 693, 502});
    EXPECT_EQ(places[1].Top, 481);
    EXPECT_EQ(places[0].Top, 328);
}

TEST(AlignControlsTest, EdgesBeforeSidesAndAHiddenControlTakesNoRoom) {
    std::vector<TAlignItem> items = {
        Docked(TAlign::alLeft, {0, 0, 240, 100}, false),
        Docked(TAlign::alClient, {}),
        Docked(TAlign::alRight, {0, 0, 19, 10}),
        Docked(TAlign::alBottom, {0, 0, 10, 27}),
    };
    const TRect client{2, 20, 449, 306};
    auto places = AlignControls(items, client);
    EXPECT_EQ(places[0], (TRect{0, 0, 240, 100}));
    EXPECT_EQ(places[3], (TRect{2, 299, 449, 27}));
    EXPECT_EQ(places[2], (TRect{432, 20, 19, 279}));
    EXPECT_EQ(places[1], (TRect{2, 20, 430, 279}));

    items[0].Visible = true;
    places = AlignControls(items, client);
    EXPECT_EQ(places[0], (TRect{2, 20, 240, 279}));
    EXPECT_EQ(places[1], (TRect{242, 20, 190, 279}));
}

TEST(AlignControlsTest, AnchorsKeepDistancesAndDockedSizesSurviveASmallWindow) {
    TAlignItem corner;
    corner.Anchors = {false, false, true, true};
    corner.Bounds = {643, 456, 49, 45};
    corner.RightGap = 1;
    corner.BottomGap = 1;
    TAlignItem stretched;
    stretched.Anchors = {true, true, true, false};
    stretched.Bounds = {10, 5, 100, 20};
    stretched.RightGap = 30;
    const std::vector<TAlignItem> items = {corner, stretched,
                                           Docked(TAlign::alTop, {0, 0, 10, 500}),
                                           Docked(TAlign::alClient, {})};
    const auto places = AlignControls(items, {0, 0, 900, 300});
    EXPECT_EQ(places[0], (TRect{850, 254, 49, 45}));
    EXPECT_EQ(places[1], (TRect{10, 5, 860, 20}));
    EXPECT_EQ(places[2], (TRect{0, 0, 900, 500}));
    EXPECT_EQ(places[3], (TRect{0, 500, 900, 0}));
}

} // namespace
} // namespace pellow
