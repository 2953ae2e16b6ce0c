#pragma once
// The toolkit's side of the receive area: it paints the cells the area hands it, shows
// the scroll position it is given, and reports the user's mouse, keys and scrolling.
// Positions and sizes are in the toolkit's own pixels. GUI thread only.

#include "receive/DisplayCells.h"
#include "ui/Peers.h"

#include <functional>
#include <memory>
#include <string>

namespace pellow {

// Pixels between the view's left edge and the first cell.
inline constexpr int ReceiveViewMargin = 3;

struct TTextMetrics {
    double CellWidth = 7; // of the digit 0
    int RowHeight = 15;
};

// One item on screen: `Cells` cells from `Column` on, in row `Row` counted from the top.
struct TScreenCell {
    int Row = 0;
    int Column = 0;
    int Cells = 0;
    CellKind Kind = CellKind::Text;
    char32_t CodePoint = 0;  // Text and Control
    unsigned char Byte = 0;  // Invalid and Pending
    bool Selected = false;
};
using TScreenCellSink = std::function<void(const TScreenCell&)>;

class TReceiveViewPeer : public TControlPeer {
public:
    virtual int ViewportWidth() const = 0;
    virtual int ViewportHeight() const = 0;
    virtual TTextMetrics Metrics() const = 0;
    // Rows 0 … maximum may stand at the top; `pageStep` rows fit on screen.
    virtual void SetScrollRange(int maximum, int pageStep) = 0;
    virtual void SetScrollPosition(int row) = 0;
    // Paints the rows on screen again, soon.
    virtual void Repaint() = 0;
    virtual void CopyToClipboard(const std::string& bytes) = 0;
    // Offers a fresh mouse selection where the system keeps one (X11's primary selection).
    virtual void OfferSelection(const std::string& bytes) = 0;
    virtual void SetFont(const TFont& font) = 0;

    // The viewport's size or the font changed.
    std::function<void()> Resized;
    // The user moved the view so that `row` stands at the top.
    std::function<void(int row)> Scrolled;
    // Painting: hands every item on screen to the sink.
    std::function<void(const TScreenCellSink&)> CellsOnScreen;
    // The left button: pressed (with Shift: extending the selection), moved while held,
    // released, double-clicked.
    std::function<void(int x, int y, bool extend)> MousePressed;
    std::function<void(int x, int y)> MouseMoved;
    std::function<void()> MouseReleased;
    std::function<void(int x, int y)> DoubleClicked;
    // A typed character as its bytes in the locale's codec (Enter gives "\r").
    std::function<void(std::string& key)> KeyTyped;
    // The copy keys, and the context menu's two entries with what enables them.
    std::function<void()> CopyRequested;
    std::function<void()> SelectAllRequested;
    std::function<bool()> HasSelection;
    std::function<bool()> HasText;
};

// Made by the toolkit the program is built with, inside its parent's peer.
std::unique_ptr<TReceiveViewPeer> NewReceiveViewPeer(TControlPeer& parent);

} // namespace pellow
