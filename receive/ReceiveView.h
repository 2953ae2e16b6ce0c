#pragma once
// The receive area: a read-only, word-wrapping view over the area's text (ReceiveText).
// Appending costs time proportional to the new bytes; only the rows on screen are laid
// out and painted; after a width change or a change of the whole text the rows are
// counted again in slices between events, the rows on screen first. Bytes are shown
// decoded in the locale's codec; bytes that do not decode are shown visibly and kept
// exactly. Past a memory limit the oldest rows are dropped. The toolkit paints and
// reports input through the view's peer; everything else is here. GUI thread only.

#include "receive/AreaRows.h"
#include "receive/ReceiveText.h"
#include "receive/ReceiveViewPeer.h"
#include "ui/Peers.h"
#include "ui/TControl.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace pellow {

class ReceiveView : public TControl {
public:
    explicit ReceiveView(TWinControl& parent);
    ~ReceiveView() override;

    const TFont& Font() const { return font_; }
    void SetFont(const TFont& v);

    // The area's text, whole: a copy, for checks and small areas.
    std::string Bytes() const;
    // Characters the text holds.
    std::uint64_t TextSize() const { return text_.Size(); }
    const ReceiveText& Text() const { return text_; }
    void SetBytes(std::string_view bytes);
    // Appends the text exactly as it stands.
    void AppendBytes(std::string_view bytes);
    // Received text: the area's line breaks all become CR LF (see ReceiveText).
    void AppendReceived(std::string_view text);
    // Received bytes shown as hex pairs.
    void AppendHexBytes(std::string_view bytes);
    void Clear();
    // The hex switch: the whole text to hex pairs, or back (throws EConvertError, leaving
    // the text as it was).
    void ShowAsHex();
    void ShowAsText();
    // Hands the whole text over in pieces, for saving.
    void WriteText(const std::function<void(std::string_view)>& piece) const;

    // Display rows at the current width with word wrap, as a memo counts its lines.
    // Finishes any counting still to be done first.
    int RowCount() const;
    // Whether there are more than `rows` rows; counts no further than it must.
    bool RowCountExceeds(int rows) const;
    // False while rows are being counted again after a width change.
    bool RowsSettled() const { return rows_.CaughtUp(text_); }

    // Memory the text may take before its oldest rows are dropped (default: a quarter of
    // the machine's memory).
    void SetMemoryLimit(std::uint64_t bytes) { memoryLimit_ = bytes; }

    // Character cells one display row holds at the current width.
    int Columns() const;

    // True when a CR or LF stands outside a CR LF pair (a final CR included).
    bool HasLoneLineBreak() const { return text_.HasLoneLineBreak(); }
    bool EndsWithLineBreak() const { return text_.EndsWithLineBreak(); }

    // The selection as byte offsets [start, end); empty when start == end.
    std::size_t SelectionStart() const;
    std::size_t SelectionEnd() const;
    void Select(std::size_t start, std::size_t end);
    void SelectAll();
    // The selected bytes.
    std::string SelectedBytes() const;
    // Puts the selected text on the clipboard; nothing when the selection is empty.
    void Copy() const;

    // The first display row on screen.
    std::int64_t TopRow() const { return scrollValue_; }

    // A typed character while the area has the focus, as its bytes in the locale's
    // codec (one byte for ASCII, several for other characters; Enter gives "\r").
    std::function<void(std::string& key)> OnKeyPress;

private:
    TReceiveViewPeer& ViewPeer() const { return PeerAs<TReceiveViewPeer>(); }
    void BindPeer();
    int ColumnsForWidth() const;
    void ViewResized();
    void ScrolledTo(int row);
    void CellsOnScreen(const TScreenCellSink& sink) const;
    void MousePressed(int x, int y, bool extend);
    void MouseReleased();
    void WordAt(int x, int y);
    void SetScroll(std::int64_t row);
    bool AtEnd() const { return scrollValue_ >= scrollMax_; }
    void Appended();
    void Rewrap(std::optional<std::uint64_t> top = std::nullopt);
    void RewrapSlice(int milliseconds);
    void FinishRows() const;
    template <typename Change>
    void Grow(const Change& change);
    void DropOldest();
    void ScheduleRefresh();
    void Refresh();
    void UpdateScrollRange();
    int VisibleRows() const;
    std::uint64_t ScreenTop() const;
    std::uint64_t OffsetAt(int x, int y) const;
    void DragTo(int x, int y);

    std::unique_ptr<TTimerPeer> refreshTimer_;
    std::unique_ptr<TTimerPeer> rewrapTimer_;
    ReceiveText text_;
    mutable AreaRows rows_;
    // Text position of the top row while the rows are counted again.
    std::uint64_t top_ = 0;
    std::uint64_t memoryLimit_;
    std::uint64_t selectionAnchor_ = 0; // text positions
    std::uint64_t selectionCaret_ = 0;
    bool dragging_ = false;
    bool followEnd_ = false;
    bool refreshPending_ = false;
    bool rewrapping_ = false;
    // The scroll position: the row at the top, and the largest it may be.
    int scrollValue_ = 0;
    int scrollMax_ = 0;
    TFont font_;
};

} // namespace pellow
