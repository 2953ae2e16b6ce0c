#include "receive/ReceiveView.h"

#include "receive/DisplayCells.h"
#include "receive/DropOldestRows.h"
#include "ui/SystemMemory.h"
#include "ui/TextBytes.h"
#include "ui/TypedCharacter.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

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
constexpr int Margin = 3;
// How far back the rows on screen are looked for while the rows are counted again.
constexpr std::uint64_t NearSearchLimit = 256 * 1024;
constexpr std::uint64_t WordLimit = 64 * 1024;
// The memory limit never falls below this, however little memory there is to be had.
constexpr std::uint64_t MinimumMemoryLimit = 16 << 20;

// Ctrl+C is the line's 03, so copying takes the keys terminals use for it.
QList<QKeySequence> CopyKeys() {
    return {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert),
            QKeySequence(Qt::Key_Copy)};
}

QFont ReceiveFont() {
    QFont font;
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"),
                      QStringLiteral("WenQuanYi Zen Hei Mono"), QStringLiteral("WenQuanYi Zen Hei"),
                      QStringLiteral("Noto Sans Mono CJK SC"), QStringLiteral("DejaVu Sans Mono"),
                      QStringLiteral("Monospace")});
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(13);
    return font;
}

// Control characters in caret notation (^@, ^A ... ^?), which every font can show.
QString ControlText(char32_t code) {
    return QStringLiteral("^") + QChar(code == 0x7F ? u'?' : char16_t(u'@' + code));
}

QString InvalidByteText(char32_t byte) {
    return QStringLiteral("\\x") + QString::number(static_cast<uint>(byte), 16)
                                       .toUpper()
                                       .rightJustified(2, QLatin1Char('0'));
}

bool IsWordByte(char c) {
    return static_cast<unsigned char>(c) > 0x20;
}

std::uint64_t DefaultReceiveMemoryLimit() {
    return std::max<std::uint64_t>(PhysicalMemoryBytes() / 4, MinimumMemoryLimit);
}

} // namespace

ReceiveView::ReceiveView(QWidget* parent)
    : QAbstractScrollArea(parent), memoryLimit_(DefaultReceiveMemoryLimit()) {
    setFont(ReceiveFont());
    UpdateFontMetrics();
    setFocusPolicy(Qt::StrongFocus);
    // A scroll bar that comes and goes would change the width and so the wrapping.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    refreshTimer_.setSingleShot(true);
    refreshTimer_.setInterval(RefreshIntervalMs);
    connect(&refreshTimer_, &QTimer::timeout, this, [this] { Refresh(); });
    rewrapTimer_.setInterval(0);
    connect(&rewrapTimer_, &QTimer::timeout, this, [this] { RewrapSlice(RewrapSliceMs); });
    rows_ = AreaRows(ColumnsForWidth(), text_.Begin());
}

ReceiveView::~ReceiveView() = default;

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
    if (rewrapTimer_.isActive())
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
    QScrollBar* bar = verticalScrollBar();
    if (bar->value() >= bar->maximum()) {
        top_ = text_.End();
    } else if (top) {
        top_ = *top;
    } else {
        const std::uint64_t cells = static_cast<std::uint64_t>(bar->value()) *
                                    static_cast<std::uint64_t>(rows_.Columns());
        top_ = text_.Begin() + std::min(cells, text_.Size());
    }
    rows_ = AreaRows(ColumnsForWidth(), text_.Begin());
    RewrapSlice(FirstRewrapSliceMs);
    if (!rows_.CaughtUp(text_))
        rewrapTimer_.start();
}

void ReceiveView::RewrapSlice(int milliseconds) {
    if (!rows_.Update(text_, AreaRows::Clock::now() + std::chrono::milliseconds(milliseconds)))
        return;
    rewrapTimer_.stop();
    UpdateScrollRange();
    QScrollBar* bar = verticalScrollBar();
    if (followEnd_ || top_ >= text_.End())
        bar->setValue(bar->maximum());
    else
        bar->setValue(static_cast<int>(std::min<std::int64_t>(rows_.RowOf(text_, top_), INT_MAX)));
    if (text_.Footprint() > memoryLimit_)
        DropOldest();
    viewport()->update();
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
    QScrollBar* bar = verticalScrollBar();
    const bool atEnd = bar->value() >= bar->maximum();
    const int value = bar->value();
    UpdateScrollRange();
    bar->setValue(atEnd ? bar->maximum()
                        : static_cast<int>(std::max<std::int64_t>(0, value - dropped->rows)));
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
    viewport()->update();
}

void ReceiveView::SelectAll() {
    Select(0, static_cast<std::size_t>(text_.Size()));
}

QString ReceiveView::SelectedText() const {
    const std::string selected =
        text_.Slice(text_.Begin() + SelectionStart(), SelectionEnd() - SelectionStart());
    return ToQString(selected);
}

void ReceiveView::Copy() const {
    if (SelectionStart() != SelectionEnd())
        QApplication::clipboard()->setText(SelectedText());
}

std::int64_t ReceiveView::TopRow() const {
    return verticalScrollBar()->value();
}

int ReceiveView::ColumnsForWidth() const {
    const int width = viewport()->width() - 2 * Margin;
    return std::max(1, static_cast<int>(std::floor(width / cellWidth_)));
}

void ReceiveView::UpdateFontMetrics() {
    const QFontMetricsF metrics(font());
    cellWidth_ = std::max<qreal>(1, metrics.horizontalAdvance(QLatin1Char('0')));
    rowHeight_ = std::max(1, static_cast<int>(std::ceil(metrics.height())));
    ascent_ = static_cast<int>(std::ceil(metrics.ascent()));
}

void ReceiveView::ScheduleRefresh() {
    if (refreshPending_)
        return;
    refreshPending_ = true;
    followEnd_ = verticalScrollBar()->value() >= verticalScrollBar()->maximum();
    refreshTimer_.start();
}

void ReceiveView::Refresh() {
    refreshPending_ = false;
    if (rows_.CaughtUp(text_)) {
        UpdateScrollRange();
        if (followEnd_)
            verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    } else if (followEnd_) {
        top_ = text_.End();
    }
    viewport()->update();
}

int ReceiveView::VisibleRows() const {
    return std::max(1, viewport()->height() / rowHeight_);
}

void ReceiveView::UpdateScrollRange() {
    const int visible = VisibleRows();
    QScrollBar* bar = verticalScrollBar();
    const std::int64_t rows = rows_.RowCount();
    bar->setRange(0, static_cast<int>(std::clamp<std::int64_t>(rows - visible, 0, INT_MAX)));
    bar->setPageStep(visible);
    bar->setSingleStep(1);
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

void ReceiveView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (ColumnsForWidth() != rows_.Columns()) {
        Rewrap(rows_.CaughtUp(text_) ? rows_.RowStart(text_, TopRow()) : top_);
        return;
    }
    if (rows_.CaughtUp(text_)) {
        QScrollBar* bar = verticalScrollBar();
        const bool atEnd = bar->value() >= bar->maximum();
        UpdateScrollRange();
        if (atEnd)
            bar->setValue(bar->maximum());
    }
    viewport()->update();
}

void ReceiveView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        UpdateFontMetrics();
        if (ColumnsForWidth() != rows_.Columns())
            Rewrap();
        viewport()->update();
    }
}

void ReceiveView::scrollContentsBy(int, int) {
    viewport()->update();
}

void ReceiveView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    const QPalette& pal = palette();
    const QColor textColour = pal.color(QPalette::Text);
    const QColor controlColour = QColor(0x00, 0x80, 0x80);
    const QColor invalidColour = QColor(0xC0, 0x30, 0x00);
    const QColor selectedTextColour = pal.color(QPalette::HighlightedText);
    const int columns = rows_.Columns();
    // Fixed-pitch fonts let runs of ASCII be drawn in one call at cell positions.
    const bool fixedPitch = QFontInfo(font()).fixedPitch();

    // The text of the rows on screen, and no more, is read from the area.
    const std::uint64_t top = ScreenTop();
    const std::uint64_t rowReach = 8 * static_cast<std::uint64_t>(columns) + 16;
    const std::uint64_t length = std::min<std::uint64_t>(
        text_.End() - top, static_cast<std::uint64_t>(VisibleRows() + 2) * rowReach);
    const std::string shown = text_.Slice(top, length);
    const bool final = top + length == text_.End();
    const std::uint64_t selStart = text_.Begin() + SelectionStart();
    const std::uint64_t selEnd = text_.Begin() + SelectionEnd();

    QString run;
    qreal runX = 0;
    int runY = 0;
    QColor runColour;
    auto flushRun = [&] {
        if (run.isEmpty())
            return;
        painter.setPen(runColour);
        painter.drawText(QPointF(runX, runY + ascent_), run);
        run.clear();
    };

    std::size_t pos = 0;
    for (int y = 0; y < viewport()->height() && pos < shown.size(); y += rowHeight_) {
        const RowEnd end = WrapRow(shown, pos, columns, final);
        int column = 0;
        while (pos < end.next) {
            const CellItem item = DecodeCellItem(shown, pos, column, final);
            const qreal x = Margin + column * cellWidth_;
            const bool selected = top + pos >= selStart && top + pos < selEnd;
            if (selected) {
                const int cells = std::max<int>(item.cells, 1);
                painter.fillRect(QRectF(x, y, cells * cellWidth_, rowHeight_),
                                 pal.brush(QPalette::Highlight));
            }
            QColor colour = selected ? selectedTextColour : textColour;
            QString text;
            switch (item.kind) {
            case CellKind::Text:
                text = QString::fromUcs4(&item.codePoint, 1);
                break;
            case CellKind::Control:
                text = ControlText(item.codePoint);
                if (!selected)
                    colour = controlColour;
                break;
            case CellKind::Invalid:
            case CellKind::Pending:
                text = InvalidByteText(static_cast<unsigned char>(shown[pos]));
                if (!selected)
                    colour = invalidColour;
                break;
            default:
                break;
            }
            const bool batchable =
                fixedPitch && item.kind == CellKind::Text && item.codePoint < 0x80;
            if (!batchable || colour != runColour || y != runY)
                flushRun();
            if (batchable) {
                if (run.isEmpty()) {
                    runX = x;
                    runY = y;
                    runColour = colour;
                }
                run += text;
            } else if (!text.isEmpty()) {
                painter.setPen(colour);
                painter.drawText(QPointF(x, y + ascent_), text);
            }
            column += item.cells;
            pos += std::max<std::uint8_t>(item.length, 1);
        }
        flushRun();
        if (!end.complete)
            break;
    }
}

std::uint64_t ReceiveView::OffsetAt(QPoint point) const {
    if (point.y() < 0 && TopRow() == 0)
        return text_.Begin();
    const std::uint64_t top = ScreenTop();
    const int columns = rows_.Columns();
    const int rowsDown = static_cast<int>(std::floor(point.y() / double(rowHeight_)));
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
        if (point.x() < Margin + (column + item.cells / 2.0) * cellWidth_)
            return top + pos;
        column += item.cells;
        pos += std::max<std::uint8_t>(item.length, 1);
    }
    return top + end.next;
}

void ReceiveView::DragTo(QPoint point) {
    QScrollBar* bar = verticalScrollBar();
    if (point.y() < 0)
        bar->setValue(bar->value() - 1);
    else if (point.y() >= viewport()->height())
        bar->setValue(bar->value() + 1);
    selectionCaret_ = OffsetAt(point);
    viewport()->update();
}

void ReceiveView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const std::uint64_t offset = OffsetAt(event->position().toPoint());
    selectionCaret_ = offset;
    if (!(event->modifiers() & Qt::ShiftModifier))
        selectionAnchor_ = offset;
    dragging_ = true;
    viewport()->update();
}

void ReceiveView::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_)
        DragTo(event->position().toPoint());
}

void ReceiveView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !dragging_)
        return;
    dragging_ = false;
    QClipboard* clipboard = QApplication::clipboard();
    if (clipboard->supportsSelection() && SelectionStart() != SelectionEnd())
        clipboard->setText(SelectedText(), QClipboard::Selection);
}

void ReceiveView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const std::uint64_t start = OffsetAt(event->position().toPoint());
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

void ReceiveView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copy = menu.addAction(tr("Copy"), this, [this] { Copy(); });
    copy->setShortcuts(CopyKeys());
    copy->setEnabled(SelectionStart() != SelectionEnd());
    menu.addSeparator();
    QAction* all = menu.addAction(tr("Select All"), this, [this] { SelectAll(); });
    all->setEnabled(!text_.Empty());
    menu.exec(event->globalPos());
}

void ReceiveView::keyPressEvent(QKeyEvent* event) {
    // Ctrl+A is the line's 01 like any other control key; select-all is in the context menu.
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (CopyKeys().contains(QKeySequence(QKeyCombination(modifiers, Qt::Key(event->key()))))) {
        Copy();
        return;
    }
    QScrollBar* bar = verticalScrollBar();
    if (event->matches(QKeySequence::MoveToStartOfDocument)) {
        bar->setValue(0);
        return;
    }
    if (event->matches(QKeySequence::MoveToEndOfDocument)) {
        bar->setValue(bar->maximum());
        return;
    }
    std::string key = TypedCharacter(*event);
    if (key.empty()) {
        // Arrows, page keys and the like scroll.
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
    if (OnKeyPress)
        OnKeyPress(key);
}

} // namespace pellow
