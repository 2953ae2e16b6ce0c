// The send area on Qt. The document turns CR LF, a lone CR, a lone LF and U+2029 alike
// into one kind of block break, so each block remembers which line break stands before it.
#include "ui/Toolkit.h"
#include "ui/qt/QtControlPeer.h"
#include "ui/qt/QtFont.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>
#include <optional>
#include <string>

namespace pellow {

namespace {

// The line break that stands before a block, when it is not the memo's own CR LF.
constexpr int LineBreakProperty = QTextFormat::UserProperty + 1;
const QString MemoLineBreak = QStringLiteral("\r\n");

QString BreakBefore(const QTextBlock& block) {
    const QVariant lineBreak = block.blockFormat().property(LineBreakProperty);
    return lineBreak.isValid() ? lineBreak.toString() : MemoLineBreak;
}

QTextBlockFormat FormatFor(QTextBlockFormat format, const QString& lineBreak) {
    if (lineBreak == MemoLineBreak) {
        format.clearProperty(LineBreakProperty);
    } else {
        format.setProperty(LineBreakProperty, lineBreak);
    }
    return format;
}

// The length of what the document would turn into a block break at text[i]; 0 for none.
qsizetype BreakLength(const QString& text, qsizetype i) {
    switch (text[i].unicode()) {
    case u'\r':
        return i + 1 < text.size() && text[i + 1] == u'\n' ? 2 : 1;
    case u'\n':
    case 0x2029: // paragraph separator
    case 0xFDD0: // the document's frame marks
    case 0xFDD1:
        return 1;
    default:
        return 0;
    }
}

// Inserts text at the cursor, each line break as a block break that remembers it. The
// format is made again only when the kind of line break changes: making it for every line
// took a third of the time.
void InsertKeepingBreaks(QTextCursor& cursor, const QString& text) {
    QString lineBreak = MemoLineBreak;
    QTextBlockFormat format = FormatFor(QTextBlockFormat(), lineBreak);
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = BreakLength(text, i);
        if (length == 0) {
            ++i;
            continue;
        }
        cursor.insertText(text.mid(start, i - start));
        if (QStringView(text).mid(i, length) != lineBreak) {
            lineBreak = text.mid(i, length);
            format = FormatFor(QTextBlockFormat(), lineBreak);
        }
        cursor.insertBlock(format);
        i += length;
        start = i;
    }
    cursor.insertText(text.mid(start));
}

// The text between two positions, each block break as the line break it stands for.
QString TextBetween(const QTextDocument& document, int from, int to) {
    QString text;
    for (QTextBlock block = document.findBlock(from); block.isValid() && block.position() < to;
         block = block.next()) {
        const int start = block.position();
        const int textEnd = start + block.length() - 1;
        const int first = std::max(from, start);
        const int last = std::min(to, textEnd);
        if (last > first) {
            text += block.text().mid(first - start, last - first);
        }
        if (to > textEnd && block.next().isValid()) {
            text += BreakBefore(block.next());
        }
    }
    return text;
}

class QtMemoPeer final : public QtControlPeer<QPlainTextEdit, TMemoPeer> {
public:
    explicit QtMemoPeer(QWidget* parent) : QtControlPeer(parent) {
        setLineWrapMode(QPlainTextEdit::WidgetWidth);
        setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        QScrollBar* own = verticalScrollBar();
        const auto report = [this] {
            if (ScrollChanged)
                ScrollChanged(Scroll());
        };
        connect(own, &QScrollBar::rangeChanged, this, report);
        connect(own, &QScrollBar::valueChanged, this, report);
        // Any change to the document, the user's or ours, makes the kept bytes stale.
        connect(document(), &QTextDocument::contentsChanged, this, [this] { bytes_.reset(); });
        connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
            const QPoint screen = mapToGlobal(at);
            if (ContextPopup)
                ContextPopup({screen.x(), screen.y()});
        });
    }

    // Reading a megabyte back out of the document takes tens of milliseconds, and a timed
    // send reads it on every tick: the bytes are kept until the document changes.
    std::string Text() const override {
        if (!bytes_)
            bytes_ = ToStdString(TextBetween(*document(), 0, document()->characterCount() - 1));
        return *bytes_;
    }
    void SetText(const std::string& text) override {
        setPlainText(QString());
        QTextDocument* const doc = document();
        doc->setUndoRedoEnabled(false);
        QTextCursor cursor(doc);
        cursor.beginEditBlock();
        InsertKeepingBreaks(cursor, ToQString(text));
        cursor.endEditBlock();
        doc->setUndoRedoEnabled(true);
        moveCursor(QTextCursor::End);
        bytes_ = text;
    }
    void Append(const std::string& text) override {
        QTextCursor end(document());
        end.movePosition(QTextCursor::End);
        end.beginEditBlock();
        InsertKeepingBreaks(end, ToQString(text));
        end.endEditBlock();
    }
    std::string SelText() const override {
        const QTextCursor cursor = textCursor();
        return ToStdString(
            TextBetween(*document(), cursor.selectionStart(), cursor.selectionEnd()));
    }
    void CopySelection() override { copy(); }
    void SetFont(const TFont& font) override { ApplyFont(*this, font); }
    void ShowOwnScrollBar(bool show) override {
        setVerticalScrollBarPolicy(show ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    }
    TScrollInfo Scroll() const override {
        const QScrollBar* own = verticalScrollBar();
        return {own->minimum(), own->maximum(), own->pageStep(), own->singleStep(), own->value()};
    }
    void SetScrollPosition(int position) override { verticalScrollBar()->setValue(position); }
    void SetCustomContextMenu(bool custom) override {
        setContextMenuPolicy(custom ? Qt::CustomContextMenu : Qt::DefaultContextMenu);
    }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        // Shift+Enter would insert U+2028; in this memo every Enter is the CR LF line break.
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        const auto modifiers = event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
        if (enter && modifiers == Qt::NoModifier && !isReadOnly()) {
            QTextCursor cursor = textCursor();
            cursor.insertBlock(FormatFor(cursor.blockFormat(), MemoLineBreak));
            setTextCursor(cursor);
            ensureCursorVisible();
            event->accept();
            return;
        }
        QPlainTextEdit::keyPressEvent(event);
    }
    // Copy, cut, paste and drag carry the exact text, line breaks as they are.
    QMimeData* createMimeDataFromSelection() const override {
        auto* data = new QMimeData;
        const QTextCursor cursor = textCursor();
        data->setText(TextBetween(*document(), cursor.selectionStart(), cursor.selectionEnd()));
        return data;
    }
    void insertFromMimeData(const QMimeData* source) override {
        if (!source || !source->hasText()) {
            QPlainTextEdit::insertFromMimeData(source);
            return;
        }
        QTextCursor cursor = textCursor();
        cursor.beginEditBlock();
        InsertKeepingBreaks(cursor, source->text());
        cursor.endEditBlock();
        setTextCursor(cursor);
        ensureCursorVisible();
    }

private:
    mutable std::optional<std::string> bytes_;
};

} // namespace

std::unique_ptr<TMemoPeer> NewMemoPeer(TControlPeer& parent) {
    return std::make_unique<QtMemoPeer>(QtChildHost(parent));
}

} // namespace pellow
