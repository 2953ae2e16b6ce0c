#include "ui/qt/TypedCharacter.h"

namespace pellow {

std::string TypedCharacter(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return "\r";
    case Qt::Key_Backspace:
        return "\b";
    case Qt::Key_Escape:
        return "\x1b";
    case Qt::Key_Delete:
        // X11 attaches DEL (0x7F) to the Delete key, but Delete edits; it types nothing.
        return {};
    default:
        break;
    }
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    if ((modifiers & Qt::ControlModifier) && !(modifiers & (Qt::AltModifier | Qt::MetaModifier))) {
        // Some platforms attach the plain letter to Ctrl+letter, others the control
        // character; the key decides. Qt's codes for @, A to Z, [ \ ] ^ _ are their ASCII
        // codes, 0x40 to 0x5F, and Ctrl takes each to 0x00 to 0x1F.
        if (event.key() >= Qt::Key_At && event.key() <= Qt::Key_Underscore) {
            return std::string(1, char(event.key() - Qt::Key_At));
        }
    }
    return event.text().toUtf8().toStdString();
}

} // namespace pellow
