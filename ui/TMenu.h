#pragma once
// Popup menus and their items. OnPopup runs before the menu opens.

#include "ui/TDispatcher.h"

#include <QAction>
#include <QMenu>

#include <functional>
#include <string>

namespace pellow {

class TMenuItem : public QAction {
public:
    TMenuItem(QObject* parent, const TDispatcher* dispatcher, const std::string& caption);

    std::string Caption() const { return text().toStdString(); }

    std::function<void()> OnClick;
};

class TPopupMenu : public QMenu {
public:
    TPopupMenu(QWidget* parent, const TDispatcher* dispatcher);

    // Runs OnPopup, then shows the menu at a global position and waits for a choice.
    void Popup(const QPoint& globalPos);

    std::function<void()> OnPopup;

private:
    const TDispatcher* dispatcher_;
};

} // namespace pellow
