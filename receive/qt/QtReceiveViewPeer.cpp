#include "receive/qt/QtReceiveViewPeer.h"

#include "receive/CellGlyphs.h"

#include "ui/qt/QtFont.h"
#include "ui/qt/TypedCharacter.h"

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

#include <cmath>

namespace pellow {

namespace {

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

template <typename Callback, typename... Args> void Raise(const Callback& callback, Args&&... args) {
    if (callback)
        callback(std::forward<Args>(args)...);
}

} // namespace

QtReceiveViewPeer::QtReceiveViewPeer(QWidget* parent) : QtControlPeer(parent) {
    setFont(ReceiveFont());
    UpdateFontMetrics();
    setFocusPolicy(Qt::StrongFocus);
    // A scroll bar that comes and goes would change the width and so the wrapping.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int row) {
        if (!scrollingFromCode_)
            Raise(Scrolled, row);
    });
}

int QtReceiveViewPeer::ViewportWidth() const {
    return viewport()->width();
}

int QtReceiveViewPeer::ViewportHeight() const {
    return viewport()->height();
}

TTextMetrics QtReceiveViewPeer::Metrics() const {
    return {cellWidth_, rowHeight_};
}

void QtReceiveViewPeer::SetScrollRange(int maximum, int pageStep) {
    scrollingFromCode_ = true;
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, maximum);
    bar->setPageStep(pageStep);
    bar->setSingleStep(1);
    scrollingFromCode_ = false;
}

void QtReceiveViewPeer::SetScrollPosition(int row) {
    scrollingFromCode_ = true;
    verticalScrollBar()->setValue(row);
    scrollingFromCode_ = false;
}

void QtReceiveViewPeer::Repaint() {
    viewport()->update();
}

void QtReceiveViewPeer::CopyToClipboard(const std::string& bytes) {
    QApplication::clipboard()->setText(ToQString(bytes));
}

void QtReceiveViewPeer::OfferSelection(const std::string& bytes) {
    QClipboard* clipboard = QApplication::clipboard();
    if (clipboard->supportsSelection())
        clipboard->setText(ToQString(bytes), QClipboard::Selection);
}

void QtReceiveViewPeer::SetFont(const TFont& font) {
    ApplyFont(*this, font);
}

void QtReceiveViewPeer::UpdateFontMetrics() {
    const QFontMetricsF metrics(font());
    cellWidth_ = std::max<qreal>(1, metrics.horizontalAdvance(QLatin1Char('0')));
    rowHeight_ = std::max(1, static_cast<int>(std::ceil(metrics.height())));
    ascent_ = static_cast<int>(std::ceil(metrics.ascent()));
}

void QtReceiveViewPeer::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    Raise(Resized);
}

void QtReceiveViewPeer::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        UpdateFontMetrics();
        Raise(Resized);
    }
}

void QtReceiveViewPeer::paintEvent(QPaintEvent*) {
    if (!CellsOnScreen)
        return;
    QPainter painter(viewport());
    const QPalette& pal = palette();
    const QColor textColour = pal.color(QPalette::Text);
    const QColor selectedTextColour = pal.color(QPalette::HighlightedText);
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

    int lastRow = 0;
    CellsOnScreen([&](const TScreenCell& cell) {
        if (cell.Row != lastRow) {
            flushRun();
            lastRow = cell.Row;
        }
        const qreal x = ReceiveViewMargin + cell.Column * cellWidth_;
        const int y = cell.Row * rowHeight_;
        if (cell.Selected) {
            const int cells = std::max<int>(cell.Cells, 1);
            painter.fillRect(QRectF(x, y, cells * cellWidth_, rowHeight_),
                             pal.brush(QPalette::Highlight));
        }
        QColor colour = cell.Selected ? selectedTextColour : textColour;
        if (const auto ink = CellInk(cell.Kind); ink && !cell.Selected)
            colour = QColor(ink->R, ink->G, ink->B);
        const QString text =
            QString::fromStdU16String(CellGlyphs(cell.Kind, cell.CodePoint, cell.Byte));
        const bool batchable = fixedPitch && cell.Kind == CellKind::Text && cell.CodePoint < 0x80;
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
    });
    flushRun();
}

void QtReceiveViewPeer::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const QPoint at = event->position().toPoint();
    Raise(MousePressed, at.x(), at.y(), bool(event->modifiers() & Qt::ShiftModifier));
}

void QtReceiveViewPeer::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    Raise(MouseMoved, at.x(), at.y());
}

void QtReceiveViewPeer::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        Raise(MouseReleased);
}

void QtReceiveViewPeer::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    Raise(DoubleClicked, at.x(), at.y());
}

void QtReceiveViewPeer::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copy = menu.addAction(QStringLiteral("Copy"), this, [this] { Raise(CopyRequested); });
    copy->setShortcuts(CopyKeys());
    copy->setEnabled(HasSelection && HasSelection());
    menu.addSeparator();
    QAction* all = menu.addAction(QStringLiteral("Select All"), this, [this] { Raise(SelectAllRequested); });
    all->setEnabled(HasText && HasText());
    menu.exec(event->globalPos());
}

void QtReceiveViewPeer::keyPressEvent(QKeyEvent* event) {
    // Ctrl+A is the line's 01 like any other control key; select-all is in the context menu.
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (CopyKeys().contains(QKeySequence(QKeyCombination(modifiers, Qt::Key(event->key()))))) {
        Raise(CopyRequested);
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
    Raise(KeyTyped, key);
}

std::unique_ptr<TReceiveViewPeer> NewReceiveViewPeer(TControlPeer& parent) {
    return std::make_unique<QtReceiveViewPeer>(QtChildHost(parent));
}

} // namespace pellow
