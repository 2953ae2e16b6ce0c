// The window on Qt: a top-level widget in the middle of the screen.
#include "ui/Toolkit.h"
#include "ui/qt/QtControlPeer.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMetaObject>
#include <QScreen>

namespace pellow {

namespace {

class QtFormPeer final : public QtControlPeer<QWidget, TFormPeer> {
public:
    QtFormPeer() {
        // The controls' own face; the memos choose theirs.
        QFont small;
        small.setFamilies({QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans"),
                           QStringLiteral("sans-serif")});
        small.setPixelSize(11);
        setFont(small);
    }

    void SetBounds(const TRect& r) override {
        resize(r.Width, r.Height);
        if (!placed_) {
            if (const QScreen* screen = QGuiApplication::primaryScreen())
                move(screen->availableGeometry().center() - rect().center());
        }
    }
    void SetCaption(const std::string& caption) override { setWindowTitle(ToQString(caption)); }
    void SetMinClientSize(int width, int height) override { setMinimumSize(width, height); }
    void Close() override { close(); }
    void SetStayOnTop(bool stayOnTop) override {
        // Changing the flag hides a shown window; it comes back where it was, as large.
        const bool wasVisible = isVisible();
        const QRect place = geometry();
        setWindowFlag(Qt::WindowStaysOnTopHint, stayOnTop);
        if (wasVisible) {
            setGeometry(place);
            show();
        }
    }

protected:
    void showEvent(QShowEvent* event) override {
        QWidget::showEvent(event);
        placed_ = true;
        // Start-up may show a message box; it runs once the window is on the screen.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (Shown)
                    Shown();
            },
            Qt::QueuedConnection);
    }
    void closeEvent(QCloseEvent* event) override {
        if (CloseQuery && !CloseQuery()) {
            event->ignore();
            return;
        }
        event->accept();
    }
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        if (Resized)
            Resized(width(), height());
    }
    void keyPressEvent(QKeyEvent* event) override {
        // Memos and buttons take Enter themselves and never pass it here; a button that
        // is not the default one lets it through, and must not press the default one.
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        const QWidget* focus = focusWidget();
        const bool onButton =
            focus && (focus->inherits("QPushButton") || focus->inherits("QToolButton"));
        if (enter && !onButton && EnterPressed) {
            EnterPressed();
            event->accept();
            return;
        }
        QWidget::keyPressEvent(event);
    }

private:
    bool placed_ = false;
};

} // namespace

std::unique_ptr<TFormPeer> NewFormPeer() {
    return std::make_unique<QtFormPeer>();
}

} // namespace pellow
