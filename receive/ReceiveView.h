#pragma once
// The receive area: a read-only, word-wrapping view over a byte buffer. Appending costs
// time proportional to the new bytes; only the rows on screen are laid out and painted.
// Bytes are shown decoded in the locale's codec; bytes that do not decode are shown
// visibly and kept exactly. GUI thread only.

#include "receive/DisplayRows.h"
#include "receive/LineBreaks.h"
#include "receive/GrowingBytes.h"

#include <QAbstractScrollArea>
#include <QTimer>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace pellow {

class ReceiveView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit ReceiveView(QWidget* parent = nullptr);
    ~ReceiveView() override;

    // The bytes the area holds, exactly; valid until the area next changes.
    std::string_view Bytes() const { return bytes_.View(); }
    void SetBytes(std::string_view bytes);
    void AppendBytes(std::string_view bytes);
    void Clear();

    // Display rows at the current width with word wrap, as a memo counts its lines.
    int RowCount() const;

    // Character cells one display row holds at the current width.
    int Columns() const;

    // True when a CR or LF stands outside a CR LF pair (a final CR included).
    bool HasLoneLineBreak() const { return loneBreaks_.Any(); }

    // The selection as byte offsets [start, end); empty when start == end.
    std::size_t SelectionStart() const;
    std::size_t SelectionEnd() const;
    void Select(std::size_t start, std::size_t end);
    void SelectAll();
    // The selection decoded for the clipboard (bytes that do not decode become U+FFFD).
    QString SelectedText() const;
    // Puts the selected text on the clipboard; nothing when the selection is empty.
    void Copy() const;

    // The first display row on screen.
    std::int64_t TopRow() const;

    // A typed character while the area has the focus, as its bytes in the locale's
    // codec (one byte for ASCII, several for other characters; Enter gives "\r").
    std::function<void(std::string& key)> OnKeyPress;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int ColumnsForWidth() const;
    void EnsureWrapped() const;
    void ScheduleRefresh();
    void Refresh();
    void UpdateScrollRange();
    int VisibleRows() const;
    std::size_t OffsetAt(QPoint point) const;
    void DragTo(QPoint point);
    void UpdateFontMetrics();

    GrowingBytes bytes_;
    mutable RowIndex rows_;
    mutable bool wrapStale_ = false;
    LoneBreakTracker loneBreaks_;
    std::size_t selectionAnchor_ = 0;
    std::size_t selectionCaret_ = 0;
    bool dragging_ = false;
    bool followEnd_ = false;
    bool refreshPending_ = false;
    QTimer refreshTimer_;
    qreal cellWidth_ = 7;
    int rowHeight_ = 15;
    int ascent_ = 12;
};

} // namespace pellow
