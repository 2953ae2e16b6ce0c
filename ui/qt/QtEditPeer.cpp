// One-line edits on Qt.
#include "ui/Toolkit.h"
#include "ui/qt/QtControlPeer.h"
#include "ui/qt/TypedCharacter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>

#include <limits>

namespace pellow {

namespace {

class QtEditPeer final : public QtControlPeer<QLineEdit, TEditPeer> {
public:
    explicit QtEditPeer(QWidget* parent) : QtControlPeer(parent) {
        // An entry holds as much as the settings file can; the toolkit's default would cut it.
        setMaxLength(std::numeric_limits<int>::max());
        connect(this, &QLineEdit::textChanged, this, [this](const QString& now) {
            if (TextEdited)
                TextEdited(ToStdString(now));
        });
    }
    void SetText(const std::string& text) override {
        const QSignalBlocker blocker(this);
        setText(ToQString(text));
    }
    void SetReadOnly(bool readOnly) override { setReadOnly(readOnly); }

protected:
    void keyPressEvent(QKeyEvent* event) override {
        const std::string typed = TypedCharacter(*event);
        // Enter belongs to the window's default button before any key filter sees it; Ctrl
        // keys are the edit's own (paste, undo).
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        if (KeyTyped && !enter && !typed.empty() && !(event->modifiers() & Qt::ControlModifier)) {
            char key = typed[0];
            KeyTyped(key);
            if (key == 0) {
                event->accept();
                return;
            }
        }
        QLineEdit::keyPressEvent(event);
    }
};

} // namespace

std::unique_ptr<TEditPeer> NewEditPeer(TControlPeer& parent) {
    return std::make_unique<QtEditPeer>(QtChildHost(parent));
}

} // namespace pellow
