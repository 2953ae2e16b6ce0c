#pragma once
// The send area: an editable, word-wrapping memo. Its Text is exactly the bytes put in,
// typed or pasted. The widget turns CR LF, a lone CR, a lone LF and U+2029 alike into one
// kind of block break, so each block remembers which line break stands before it; Enter
// types CR LF, the memo's own line break. Its vertical scrolling is shown by an outside
// scroll bar (sssbSendData), enabled only while the text needs scrolling.

#include "ui/TControl.h"

#include <QPlainTextEdit>

namespace pellow {

class TScrollBar;

class TMemo : public TControl<QPlainTextEdit> {
public:
    TMemo(QWidget* parent, const TDispatcher* dispatcher);

    std::string Text() const;
    void SetText(const std::string& v);
    // Adds bytes at the end, leaving the caret and the scrolling where they are.
    void Append(const std::string& v);
    // The selected part of the text.
    std::string SelText() const;
    void Clear() { SetText({}); }

    // Hands the memo's vertical scrolling to an outside scroll bar.
    void BindScrollBar(TScrollBar* bar);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Copy, cut, paste and drag carry the exact text, line breaks as they are.
    QMimeData* createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData* source) override;
};

} // namespace pellow
