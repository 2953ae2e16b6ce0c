#pragma once
// The send area: an editable, word-wrapping memo. Its Text has CR LF line breaks, as the
// send sequence expects; the widget itself keeps LF. Its vertical scrolling is shown by
// an outside scroll bar (sssbSendData), enabled only while the text needs scrolling.

#include "ui/TControl.h"

#include <QPlainTextEdit>

namespace pellow {

class TScrollBar;

class TMemo : public TControl<QPlainTextEdit> {
public:
    TMemo(QWidget* parent, const TDispatcher* dispatcher);

    std::string Text() const;
    void SetText(const std::string& v);
    // The selected part of the text, with CR LF line breaks.
    std::string SelText() const;
    void Clear() { SetText({}); }

    // Hands the memo's vertical scrolling to an outside scroll bar.
    void BindScrollBar(TScrollBar* bar);
};

// CR LF and lone CR or LF → LF, the widget's form; and back to CR LF.
QString MemoTextToWidget(const std::string& text);
std::string WidgetTextToMemo(const QString& text);

} // namespace pellow
