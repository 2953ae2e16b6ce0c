#include "receive/ReceiveView.h"

#include "receive/DisplayCells.h"

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

namespace pellow {

namespace {

// Received data can arrive faster than the screen refreshes; repaint at most this often.
constexpr int RefreshIntervalMs = 30;
constexpr int Margin = 3;

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

} // namespace

ReceiveView::ReceiveView(QWidget* parent) : QAbstractScrollArea(parent) {
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
    rows_.Reset(ColumnsForWidth());
}

ReceiveView::~ReceiveView() = default;

void ReceiveView::SetBytes(std::string_view bytes) {
    ScheduleRefresh();
    bytes_.Assign(bytes);
    rows_.Reset(ColumnsForWidth());
    rows_.Update(bytes_);
    loneBreaks_.Reset();
    loneBreaks_.Feed(bytes_);
    selectionAnchor_ = selectionCaret_ = 0;
}

void ReceiveView::AppendBytes(std::string_view bytes) {
    if (bytes.empty())
        return;
    ScheduleRefresh();
    bytes_.Append(bytes);
    EnsureWrapped();
    rows_.Update(bytes_);
    loneBreaks_.Feed(bytes);
}

void ReceiveView::Clear() {
    SetBytes({});
}

int ReceiveView::RowCount() const {
    EnsureWrapped();
    return static_cast<int>(std::min<std::int64_t>(rows_.RowCount(), INT_MAX));
}

int ReceiveView::Columns() const {
    EnsureWrapped();
    return rows_.Columns();
}

std::size_t ReceiveView::SelectionStart() const {
    return std::min(selectionAnchor_, selectionCaret_);
}

std::size_t ReceiveView::SelectionEnd() const {
    return std::max(selectionAnchor_, selectionCaret_);
}

void ReceiveView::Select(std::size_t start, std::size_t end) {
    selectionAnchor_ = std::min(start, bytes_.size());
    selectionCaret_ = std::min(end, bytes_.size());
    viewport()->update();
}

void ReceiveView::SelectAll() {
    Select(0, bytes_.size());
}

QString ReceiveView::SelectedText() const {
    const std::string_view selected =
        bytes_.View().substr(SelectionStart(), SelectionEnd() - SelectionStart());
    return QString::fromUtf8(selected.data(), static_cast<qsizetype>(selected.size()));
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

void ReceiveView::EnsureWrapped() const {
    const int columns = ColumnsForWidth();
    if (columns == rows_.Columns())
        return;
    rows_.Reset(columns);
    rows_.Update(bytes_);
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
    UpdateScrollRange();
    if (followEnd_)
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    viewport()->update();
}

int ReceiveView::VisibleRows() const {
    return std::max(1, viewport()->height() / rowHeight_);
}

void ReceiveView::UpdateScrollRange() {
    const int visible = VisibleRows();
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, std::max(0, RowCount() - visible));
    bar->setPageStep(visible);
    bar->setSingleStep(1);
}

void ReceiveView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    QScrollBar* bar = verticalScrollBar();
    const bool atEnd = bar->value() >= bar->maximum();
    const std::size_t topOffset = rows_.RowStart(bytes_, TopRow());
    EnsureWrapped();
    UpdateScrollRange();
    bar->setValue(
        atEnd ? bar->maximum()
              : static_cast<int>(std::min<std::int64_t>(rows_.RowOf(bytes_, topOffset), INT_MAX)));
    viewport()->update();
}

void ReceiveView::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        UpdateFontMetrics();
        EnsureWrapped();
        UpdateScrollRange();
        viewport()->update();
    }
}

void ReceiveView::scrollContentsBy(int, int) {
    viewport()->update();
}

void ReceiveView::paintEvent(QPaintEvent*) {
    EnsureWrapped();
    QPainter painter(viewport());
    const QPalette& pal = palette();
    const QColor textColour = pal.color(QPalette::Text);
    const QColor controlColour = QColor(0x00, 0x80, 0x80);
    const QColor invalidColour = QColor(0xC0, 0x30, 0x00);
    const QColor selectedTextColour = pal.color(QPalette::HighlightedText);
    const int columns = rows_.Columns();
    const std::size_t selStart = SelectionStart();
    const std::size_t selEnd = SelectionEnd();
    // Fixed-pitch fonts let runs of ASCII be drawn in one call at cell positions.
    const bool fixedPitch = QFontInfo(font()).fixedPitch();

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

    std::size_t pos = rows_.RowStart(bytes_, TopRow());
    for (int y = 0; y < viewport()->height() && pos < bytes_.size(); y += rowHeight_) {
        const RowEnd end = WrapRow(bytes_, pos, columns, true);
        int column = 0;
        while (pos < end.next) {
            const CellItem item = DecodeCellItem(bytes_, pos, column, true);
            const qreal x = Margin + column * cellWidth_;
            const bool selected = pos >= selStart && pos < selEnd;
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
                text = InvalidByteText(static_cast<unsigned char>(bytes_[pos]));
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

std::size_t ReceiveView::OffsetAt(QPoint point) const {
    EnsureWrapped();
    if (point.y() < 0 && TopRow() == 0)
        return 0;
    const std::int64_t row =
        TopRow() + static_cast<std::int64_t>(std::floor(point.y() / double(rowHeight_)));
    if (row < 0)
        return 0;
    if (row >= rows_.RowCount())
        return bytes_.size();
    std::size_t pos = rows_.RowStart(bytes_, row);
    const RowEnd end = WrapRow(bytes_, pos, rows_.Columns(), true);
    int column = 0;
    while (pos < end.next) {
        const CellItem item = DecodeCellItem(bytes_, pos, column, true);
        if (item.kind == CellKind::LineBreak)
            return pos;
        if (point.x() < Margin + (column + item.cells / 2.0) * cellWidth_)
            return pos;
        column += item.cells;
        pos += std::max<std::uint8_t>(item.length, 1);
    }
    return end.next;
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
    const std::size_t offset = OffsetAt(event->position().toPoint());
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
    std::size_t start = OffsetAt(event->position().toPoint());
    std::size_t end = start;
    while (start > 0 && IsWordByte(bytes_[start - 1]))
        --start;
    while (end < bytes_.size() && IsWordByte(bytes_[end]))
        ++end;
    Select(start, end);
}

void ReceiveView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copy = menu.addAction(tr("Copy"), this, [this] { Copy(); });
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(SelectionStart() != SelectionEnd());
    menu.addSeparator();
    QAction* all = menu.addAction(tr("Select All"), this, [this] { SelectAll(); });
    all->setShortcut(QKeySequence::SelectAll);
    all->setEnabled(!bytes_.empty());
    menu.exec(event->globalPos());
}

void ReceiveView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        Copy();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        SelectAll();
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
    std::string key;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        key = "\r";
        break;
    case Qt::Key_Backspace:
        key = "\b";
        break;
    case Qt::Key_Escape:
        key = "\x1b";
        break;
    default:
        key = event->text().toLocal8Bit().toStdString();
        break;
    }
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
