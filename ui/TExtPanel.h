#pragma once
// A panel with a caption bar that holds a close button (no roll-up button). The close
// button hides the panel itself, then raises OnClose. Children go into Content().

#include "ui/TControl.h"

#include <QFrame>

class QLabel;
class QToolButton;

namespace pellow {

class TExtPanel : public TControl<QFrame> {
public:
    static constexpr int CaptionHeight = 20;

    TExtPanel(QWidget* parent, const TDispatcher* dispatcher, const std::string& caption);

    std::string Caption() const;
    QWidget* Content() const { return content_; }
    QToolButton* CloseButton() const { return closeButton_; }

    std::function<void()> OnClose;

private:
    QLabel* caption_;
    QToolButton* closeButton_;
    QWidget* content_;
};

} // namespace pellow
