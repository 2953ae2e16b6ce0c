#include "ui/TMemo.h"

#include "ui/TLabel.h"

#include <QScrollBar>
#include <QTextCursor>

namespace pellow {

QString MemoTextToWidget(const std::string& text) {
    QString shown = ToQString(text);
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QChar('\r'), QChar('\n'));
    return shown;
}

std::string WidgetTextToMemo(const QString& text) {
    QString memo = text;
    // Qt marks paragraph ends in selections with U+2029.
    memo.replace(QChar(0x2029), QChar('\n'));
    memo.replace(QChar('\n'), QLatin1String("\r\n"));
    return ToStdString(memo);
}

TMemo::TMemo(QWidget* parent, const TDispatcher* dispatcher) : TControl(parent, dispatcher) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
}

std::string TMemo::Text() const {
    return WidgetTextToMemo(toPlainText());
}

void TMemo::SetText(const std::string& v) {
    setPlainText(MemoTextToWidget(v));
    moveCursor(QTextCursor::End);
}

std::string TMemo::SelText() const {
    return WidgetTextToMemo(textCursor().selectedText());
}

void TMemo::BindScrollBar(TScrollBar* bar) {
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QScrollBar* own = verticalScrollBar();
    const auto follow = [own, bar] {
        bar->setRange(own->minimum(), own->maximum());
        bar->setPageStep(own->pageStep());
        bar->setSingleStep(own->singleStep());
        bar->setValue(own->value());
        bar->SetEnabled(own->maximum() > own->minimum());
    };
    connect(own, &QScrollBar::rangeChanged, bar, follow);
    connect(own, &QScrollBar::valueChanged, bar, follow);
    connect(bar, &QScrollBar::valueChanged, own, &QScrollBar::setValue);
    follow();
}

} // namespace pellow
