#pragma once
// The common properties of every control of the window, over any Qt widget: Enabled,
// Visible and Hint are plain properties that handlers read back exactly as they were set
// (a control keeps its own Enabled and Visible even while a parent is hidden). Events
// raised by the user go through the window's dispatcher (the general error report).
//
// GUI thread only.

#include "ui/TDispatcher.h"
#include "ui/TextBytes.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <string>

namespace pellow {

template <class QtWidget> class TControl : public QtWidget {
public:
    TControl(QWidget* parent, const TDispatcher* dispatcher)
        : QtWidget(parent), dispatcher_(dispatcher) {}

    bool Enabled() const { return !this->testAttribute(Qt::WA_ForceDisabled); }
    void SetEnabled(bool v) { this->setEnabled(v); }
    bool Visible() const { return !this->isHidden(); }
    void SetVisible(bool v) { this->setVisible(v); }

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& v) {
        hint_ = v;
        UpdateToolTip();
    }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool v) {
        showHint_ = v;
        UpdateToolTip();
    }

protected:
    // Runs a handler for an event that came from the user or the system.
    void Fire(const std::function<void()>& handler) const { RunEvent(dispatcher_, handler); }

private:
    void UpdateToolTip() {
        // A hint may break its line with a lone carriage return; a tool-tip wants LF.
        QString tip = showHint_ ? ToQString(hint_) : QString();
        tip.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(QChar('\r'), QChar('\n'));
        this->setToolTip(tip);
    }

    const TDispatcher* dispatcher_;
    std::string hint_;
    bool showHint_ = false;
};

} // namespace pellow
