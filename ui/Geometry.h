#pragma once
// Places and sizes of controls, in pixels at 96 dpi: each toolkit scales them to the
// screen. Positions are within the parent.

namespace pellow {

struct TRect {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;

    int Right() const { return Left + Width; }
    int Bottom() const { return Top + Height; }
    bool operator==(const TRect&) const = default;
};

struct TPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPoint&) const = default;
};

// Space kept free along each edge.
struct TMargins {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TMargins&) const = default;
};

// Docking: a docked control takes the whole width (top, bottom) or height (left, right)
// of what its docked siblings left, along that edge; alClient takes the rest.
enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };

// The edges of its parent an undocked control keeps its distance to when the parent's
// size changes; with both edges of a pair it stretches.
struct TAnchors {
    bool Left = true;
    bool Top = true;
    bool Right = false;
    bool Bottom = false;
    bool operator==(const TAnchors&) const = default;
};

} // namespace pellow
