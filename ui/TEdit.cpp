#include "ui/TEdit.h"

#include "ui/qt/TypedCharacter.h"

#include <QFileDialog>
#include <QKeyEvent>
#include <QSignalBlocker>

#include <limits>

namespace pellow {

TEdit::TEdit(QWidget* parent, const TDispatcher* dispatcher, const std::string& text)
    : TControl(parent, dispatcher) {
    // An entry holds as much as the settings file can; the toolkit's default would cut it.
    setMaxLength(std::numeric_limits<int>::max());
    setText(ToQString(text));
    shown_ = this->text();
    connect(this, &QLineEdit::textChanged, this, [this](const QString& now) {
        if (now == shown_) {
            return;
        }
        shown_ = now;
        Fire(OnChange);
    });
}

void TEdit::SetText(const std::string& v) {
    const QString now = ToQString(v);
    {
        const QSignalBlocker blocker(this);
        setText(now);
    }
    if (this->text() == shown_) {
        return;
    }
    shown_ = this->text();
    if (OnChange) {
        auto handler = OnChange;
        handler();
    }
}

void TEdit::keyPressEvent(QKeyEvent* event) {
    const std::string typed = TypedCharacter(*event);
    // Enter belongs to the window's default button before any key filter sees it; Ctrl
    // keys are the edit's own (paste, undo).
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (OnKeyPress && !enter && !typed.empty() && !(event->modifiers() & Qt::ControlModifier)) {
        char key = typed[0];
        Fire([this, &key] { OnKeyPress(key); });
        if (key == 0) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

namespace {

// "All files|*.*" → "All files (*)": the pattern *.* would hide files without a dot.
QString QtFilter(const std::string& filter) {
    const QString text = ToQString(filter);
    const auto bar = text.indexOf('|');
    if (bar < 0) {
        return text;
    }
    QString pattern = text.mid(bar + 1);
    if (pattern == QLatin1String("*.*")) {
        pattern = QStringLiteral("*");
    }
    return text.left(bar) + QStringLiteral(" (") + pattern + QStringLiteral(")");
}

} // namespace

TFileNameEdit::TFileNameEdit(QWidget* parent, const TDispatcher* dispatcher,
                             const std::string& text)
    : TEdit(parent, dispatcher, text) {
    setReadOnly(true);
    RunDialog = [this](const std::string& proposed) -> std::optional<std::string> {
        const QString chosen = QFileDialog::getOpenFileName(window(), ToQString(DialogTitle),
                                                            ToQString(proposed), QtFilter(Filter));
        if (chosen.isEmpty()) {
            return std::nullopt;
        }
        return ToStdString(chosen);
    };
}

bool TFileNameEdit::Execute() {
    const auto chosen = RunDialog(Text());
    if (!chosen) {
        return false;
    }
    SetText(*chosen);
    return true;
}

} // namespace pellow
