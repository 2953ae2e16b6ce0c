#include "receive/ReceiveView.h"

#include "receive/DisplayCells.h"
#include "receive/DropOldestRows.h"
#include "ui/Platform.h"
#include "ui/Toolkit.h"
#include "ui/TWinControl.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <new>

namespace pellow {

namespace {

// Received data can arrive faster than the screen refreshes; repaint at most this often.
constexpr int RefreshIntervalMs = 30;
// Counting rows again takes at most this long at a time, so input and painting go on; the
// first slice, run at once, is shorter still, and is all a small area needs.
constexpr int RewrapSliceMs = 8;
constexpr int FirstRewrapSliceMs = 2;
// How far back the rows on screen are looked for while the rows are counted again.
constexpr std::uint64_t NearSearchLimit = 256 * 1024;
constexpr std::uint64_t WordLimit = 64 * 1024;
// The memory limit never falls below this, however little memory there is to be had.
constexpr std::uint64_t MinimumMemoryLimit = 16 << 20;

bool IsWordByte(char c) {
    return static_cast<unsigned char>(c) > 0x20;
}

std::uint64_t DefaultReceiveMemoryLimit() {
    return std::max<std::uint64_t>(PhysicalMemoryBytes() / 4, MinimumMemoryLimit);
}

} // namespace

ReceiveView::ReceiveView(TWinControl& parent)
    : TControl(&parent, NewReceiveViewPeer(parent.Peer())), refreshTimer_(NewTimerPeer()),
      rewrapTimer_(NewTimerPeer()),
      memoryLimit_(DefaultReceiveMemoryLimit()) {
    refreshTimer_->Tick = [this] {
        refreshTimer_->Stop();
        Refresh();
    };
    rewrapTimer_->Tick = [this] { RewrapSlice(RewrapSliceMs); };
    BindPeer();
    rows_ = AreaRows(ColumnsForWidth(), text_.Begin());
}

ReceiveView::~ReceiveView() = default;

void ReceiveView::BindPeer() {
    TReceiveViewPeer& p = ViewPeer();
    p.Resized = [this] { ViewResized(); };
    p.Scrolled = [this](int row) { ScrolledTo(row); };
    p.CellsOnScreen = [this](const TScreenCellSink& sink) { CellsOnScreen(sink); };
    p.MousePressed = [this](int x, int y, bool extend) { MousePressed(x, y, extend); };
    p.MouseMoved = [this](int x, int y) {
        if (dragging_)
            DragTo(x, y);
    };
    p.MouseReleased = [this] { MouseReleased(); };
    p.DoubleClicked = [this](int x, int y) { WordAt(x, y); };
    p.KeyTyped = [this](std::string& key) {
        if (OnKeyPress)
            OnKeyPress(key);
    };
    p.CopyRequested = [this] { Copy(); };
    p.SelectAllRequested = [this] { SelectAll(); };
    p.HasSelection = [this] { return SelectionStart() != SelectionEnd(); };
    p.HasText = [this] { return !text_.Empty(); };
}

std::string ReceiveView::Bytes() const {
    return text_.Slice(text_.Begin(), text_.Size());
}

void ReceiveView::WriteText(const std::function<void(std::string_view)>& piece) const {
    text_.ForEachPiece(text_.Begin(), text_.End(), piece);
}

// Appends through `change` and counts the new rows; past the memory limit, or when
// memory runs out, the oldest rows go first.
template <typename Change>
void ReceiveView::Grow(const Change& change) {
    ScheduleRefresh();
    const bool wholeTextChanges = text_.HasLoneLineBreak();
    try {
        change();
    } catch (const std::bad_alloc&) {
        memoryLimit_ = std::max<std::uint64_t>(text_.Footprint() / 4 * 3, MinimumMemoryLimit);
        DropOldest();
        change();
    }
    // Lone line breaks become CR LF throughout: every row may change.
    if (wholeTextChanges && !text_.HasLoneLineBreak()) {
        Rewrap();
        return;
    }
    Appended();
}

void ReceiveView::Appended() {
    if (rewrapping_)
        return; // the slices reach the new end too
    rows_.Update(text_);
    if (text_.Footprint() > memoryLimit_)
        DropOldest();
}

void ReceiveView::SetBytes(std::string_view bytes) {
    text_.Clear();
    text_.AppendRaw(bytes);
    selectionAnchor_ = selectionCaret_ = 0;
    Rewrap();
}

void ReceiveView::AppendBytes(std::string_view bytes) {
    if (!bytes.empty())
        Grow([&] { text_.AppendRaw(bytes); });
}

void ReceiveView::AppendReceived(std::string_view text) {
    Grow([&] { text_.AppendNormalised(text); });
}

void ReceiveView::AppendHexBytes(std::string_view bytes) {
    Grow([&] { text_.AppendHex(bytes); });
}

void ReceiveView::Clear() {
    SetBytes({});
}

void ReceiveView::ShowAsHex() {
    text_.ToHex();
    selectionAnchor_ = selectionCaret_ = text_.Begin();
    Rewrap();
}

void ReceiveView::ShowAsText() {
    text_.FromHex();
    selectionAnchor_ = selectionCaret_ = text_.Begin();
    Rewrap();
}

// Counts every row again, in slices between events; until then the screen shows the
// rows from `top` on, found near it (by default about where the top row stood).
void ReceiveView::Rewrap(std::optional<std::uint64_t> top) {
    ScheduleRefresh();
    if (AtEnd()) {
        top_ = text_.End();
    } else if (top) {
        top_ = *top;
    } else {
        const std::uint64_t cells = static_cast<std::uint64_t>(scrollValue_) *
                                    static_cast<std::uint64_t>(rows_.Columns());
        top_ = text_.Begin() + std::min(cells, text_.Size());
    }
    rows_ = AreaRows(ColumnsForWidth(), text_.Begin());
    RewrapSlice(FirstRewrapSliceMs);
    if (!rows_.CaughtUp(text_) && !rewrapping_) {
        rewrapping_ = true;
        rewrapTimer_->Start(0);
    }
}

void ReceiveView::RewrapSlice(int milliseconds) {
    if (!rows_.Update(text_, AreaRows::Clock::now() + std::chrono::milliseconds(milliseconds)))
        return;
    rewrapping_ = false;
    rewrapTimer_->Stop();
    UpdateScrollRange();
    if (followEnd_ || top_ >= text_.End())
        SetScroll(scrollMax_);
    else
        SetScroll(rows_.RowOf(text_, top_));
    if (text_.Footprint() > memoryLimit_)
        DropOldest();
    ViewPeer().Repaint();
}

void ReceiveView::FinishRows() const {
    if (rows_.CaughtUp(text_))
        return;
    rows_.Update(text_);
    const_cast<ReceiveView*>(this)->RewrapSlice(RewrapSliceMs);
}

// Drops about an eighth of the text, from the start, at a row start.
void ReceiveView::DropOldest() {
    if (!rows_.CaughtUp(text_) || text_.Size() < 2)
        return;
    const std::optional<DroppedRows> dropped =
        DropRowsBefore(text_, rows_, text_.Begin() + text_.Size() / 8);
    if (!dropped)
        return;
    selectionAnchor_ = std::max(selectionAnchor_, dropped->text);
    selectionCaret_ = std::max(selectionCaret_, dropped->text);
    const bool atEnd = AtEnd();
    const std::int64_t value = scrollValue_;
    UpdateScrollRange();
    SetScroll(atEnd ? scrollMax_ : std::max<std::int64_t>(0, value - dropped->rows));
}

int ReceiveView::RowCount() const {
    FinishRows();
    return static_cast<int>(std::min<std::int64_t>(rows_.RowCount(), INT_MAX));
}

bool ReceiveView::RowCountExceeds(int rows) const {
    // Rows hold at most a few times the width each, so this stops soon.
    while (rows_.RowCount() <= rows && !rows_.CaughtUp(text_))
        rows_.Update(text_, AreaRows::Clock::now() + std::chrono::milliseconds(1));
    return rows_.RowCount() > rows;
}

int ReceiveView::Columns() const {
    return rows_.Columns();
}

std::size_t ReceiveView::SelectionStart() const {
    return static_cast<std::size_t>(std::min(selectionAnchor_, selectionCaret_) - text_.Begin());
}

std::size_t ReceiveView::SelectionEnd() const {
    return static_cast<std::size_t>(std::max(selectionAnchor_, selectionCaret_) - text_.Begin());
}

void ReceiveView::Select(std::size_t start, std::size_t end) {
    selectionAnchor_ = text_.Begin() + std::min<std::uint64_t>(start, text_.Size());
    selectionCaret_ = text_.Begin() + std::min<std::uint64_t>(end, text_.Size());
    ViewPeer().Repaint();
}

void ReceiveView::SelectAll() {
    Select(0, static_cast<std::size_t>(text_.Size()));
}

std::string ReceiveView::SelectedBytes() const {
    return text_.Slice(text_.Begin() + SelectionStart(), SelectionEnd() - SelectionStart());
}

void ReceiveView::Copy() const {
    if (SelectionStart() != SelectionEnd())
        ViewPeer().CopyToClipboard(SelectedBytes());
}

void ReceiveView::SetFont(const TFont& v) {
    font_ = v;
    ViewPeer().SetFont(v);
}

int ReceiveView::ColumnsForWidth() const {
    const int width = ViewPeer().ViewportWidth() - 2 * ReceiveViewMargin;
    return std::max(1, static_cast<int>(std::floor(width / ViewPeer().Metrics().CellWidth)));
}

void ReceiveView::ScheduleRefresh() {
    if (refreshPending_)
        return;
    refreshPending_ = true;
    followEnd_ = AtEnd();
    refreshTimer_->Start(RefreshIntervalMs);
}

void ReceiveView::Refresh() {
    refreshPending_ = false;
    if (rows_.CaughtUp(text_)) {
        UpdateScrollRange();
        if (followEnd_)
            SetScroll(scrollMax_);
    } else if (followEnd_) {
        top_ = text_.End();
    }
    ViewPeer().Repaint();
}

int ReceiveView::VisibleRows() const {
    return std::max(1, ViewPeer().ViewportHeight() / ViewPeer().Metrics().RowHeight);
}

void ReceiveView::UpdateScrollRange() {
    const int visible = VisibleRows();
    const std::int64_t rows = rows_.RowCount();
    scrollMax_ = static_cast<int>(std::clamp<std::int64_t>(rows - visible, 0, INT_MAX));
    ViewPeer().SetScrollRange(scrollMax_, visible);
    if (scrollValue_ > scrollMax_)
        SetScroll(scrollMax_);
}

void ReceiveView::SetScroll(std::int64_t row) {
    scrollValue_ = static_cast<int>(std::clamp<std::int64_t>(row, 0, scrollMax_));
    ViewPeer().SetScrollPosition(scrollValue_);
    ViewPeer().Repaint();
}

void ReceiveView::ScrolledTo(int row) {
    scrollValue_ = std::clamp(row, 0, scrollMax_);
    ViewPeer().Repaint();
}

// The text position of the first row on screen.
std::uint64_t ReceiveView::ScreenTop() const {
    if (rows_.CaughtUp(text_))
        return rows_.RowStart(text_, TopRow());
    // Counting again: the rows around top_ are found from a nearby line break.
    bool exact = false;
    std::uint64_t want = top_;
    if (top_ >= text_.End()) {
        const std::uint64_t screen =
            static_cast<std::uint64_t>(VisibleRows()) * static_cast<std::uint64_t>(rows_.Columns());
        want = text_.End() - std::min(text_.Size(), screen);
    }
    return rows_.RowStartNear(text_, want, NearSearchLimit, exact);
}

void ReceiveView::ViewResized() {
    if (ColumnsForWidth() != rows_.Columns()) {
        Rewrap(rows_.CaughtUp(text_) ? rows_.RowStart(text_, TopRow()) : top_);
        return;
    }
    if (rows_.CaughtUp(text_)) {
        const bool atEnd = AtEnd();
        UpdateScrollRange();
        if (atEnd)
            SetScroll(scrollMax_);
    }
    ViewPeer().Repaint();
}

void ReceiveView::CellsOnScreen(const TScreenCellSink& sink) const {
    const int columns = rows_.Columns();
    // The text of the rows on screen, and no more, is read from the area.
    const std::uint64_t top = ScreenTop();
    const std::uint64_t rowReach = 8 * static_cast<std::uint64_t>(columns) + 16;
    const std::uint64_t length = std::min<std::uint64_t>(
        text_.End() - top, static_cast<std::uint64_t>(VisibleRows() + 2) * rowReach);
    const std::string shown = text_.Slice(top, length);
    const bool final = top + length == text_.End();
    const std::uint64_t selStart = text_.Begin() + SelectionStart();
    const std::uint64_t selEnd = text_.Begin() + SelectionEnd();
    const int rowHeight = ViewPeer().Metrics().RowHeight;
    const int rowsOnScreen = (ViewPeer().ViewportHeight() + rowHeight - 1) / rowHeight;

    std::size_t pos = 0;
    for (int row = 0; row < rowsOnScreen && pos < shown.size(); ++row) {
        const RowEnd end = WrapRow(shown, pos, columns, final);
        int column = 0;
        while (pos < end.next) {
            const CellItem item = DecodeCellItem(shown, pos, column, final);
            TScreenCell cell;
            cell.Row = row;
            cell.Column = column;
            cell.Cells = item.cells;
            cell.Kind = item.kind;
            cell.CodePoint = item.codePoint;
            cell.Byte = static_cast<unsigned char>(shown[pos]);
            cell.Selected = top + pos >= selStart && top + pos < selEnd;
            sink(cell);
            column += item.cells;
            pos += std::max<std::uint8_t>(item.length, 1);
        }
        if (!end.complete)
            break;
    }
}

std::uint64_t ReceiveView::OffsetAt(int x, int y) const {
    if (y < 0 && TopRow() == 0)
        return text_.Begin();
    const std::uint64_t top = ScreenTop();
    const int columns = rows_.Columns();
    const TTextMetrics metrics = ViewPeer().Metrics();
    const int rowsDown = static_cast<int>(std::floor(y / double(metrics.RowHeight)));
    if (rowsDown < 0)
        return top;
    const std::uint64_t rowReach = 8 * static_cast<std::uint64_t>(columns) + 16;
    const std::uint64_t length = std::min<std::uint64_t>(
        text_.End() - top, static_cast<std::uint64_t>(rowsDown + 2) * rowReach);
    const std::string shown = text_.Slice(top, length);
    const bool final = top + length == text_.End();
    std::size_t pos = 0;
    for (int row = 0; row < rowsDown; ++row) {
        const RowEnd end = WrapRow(shown, pos, columns, final);
        if (!end.complete || end.next >= shown.size())
            return text_.End();
        pos = end.next;
    }
    const RowEnd end = WrapRow(shown, pos, columns, final);
    int column = 0;
    while (pos < end.next) {
        const CellItem item = DecodeCellItem(shown, pos, column, final);
        if (item.kind == CellKind::LineBreak)
            return top + pos;
        if (x < ReceiveViewMargin + (column + item.cells / 2.0) * metrics.CellWidth)
            return top + pos;
        column += item.cells;
        pos += std::max<std::uint8_t>(item.length, 1);
    }
    return top + end.next;
}

void ReceiveView::DragTo(int x, int y) {
    if (y < 0)
        SetScroll(std::int64_t(scrollValue_) - 1);
    else if (y >= ViewPeer().ViewportHeight())
        SetScroll(std::int64_t(scrollValue_) + 1);
    selectionCaret_ = OffsetAt(x, y);
    ViewPeer().Repaint();
}

void ReceiveView::MousePressed(int x, int y, bool extend) {
    const std::uint64_t offset = OffsetAt(x, y);
    selectionCaret_ = offset;
    if (!extend)
        selectionAnchor_ = offset;
    dragging_ = true;
    ViewPeer().Repaint();
}

void ReceiveView::MouseReleased() {
    if (!dragging_)
        return;
    dragging_ = false;
    if (SelectionStart() != SelectionEnd())
        ViewPeer().OfferSelection(SelectedBytes());
}

void ReceiveView::WordAt(int x, int y) {
    const std::uint64_t start = OffsetAt(x, y);
    const std::uint64_t end = start;
    // A word is looked for within a limit: hex pairs or a flood may have no blank at all.
    const std::uint64_t first = start - std::min<std::uint64_t>(start - text_.Begin(), WordLimit);
    const std::uint64_t last = std::min<std::uint64_t>(text_.End(), end + WordLimit);
    const std::string before = text_.Slice(first, start - first);
    const std::string after = text_.Slice(end, last - end);
    std::size_t back = before.size();
    while (back > 0 && IsWordByte(before[back - 1]))
        --back;
    std::size_t ahead = 0;
    while (ahead < after.size() && IsWordByte(after[ahead]))
        ++ahead;
    Select(static_cast<std::size_t>(first + back - text_.Begin()),
           static_cast<std::size_t>(end + ahead - text_.Begin()));
}

} // namespace pellow
