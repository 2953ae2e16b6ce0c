#pragma once
// Popup menus and their items; an item with items of its own opens a submenu. OnPopup
// runs before the menu opens. A menu owns its items.
//
// GUI thread only.

#include "ui/Geometry.h"
#include "ui/Peers.h"
#include "ui/TDispatcher.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pellow {

class TControl;

class TMenuItem {
public:
    TMenuItem(TMenuPeer& menu, const TDispatcher* dispatcher, const std::string& caption);
    ~TMenuItem();
    TMenuItem(const TMenuItem&) = delete;
    TMenuItem& operator=(const TMenuItem&) = delete;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& v) { name_ = v; }
    const std::string& Caption() const { return caption_; }

    // Adds an item to this item's submenu.
    TMenuItem* Add(const std::string& caption);
    const std::vector<std::unique_ptr<TMenuItem>>& Items() const { return items_; }

    // Chooses the item as the user does.
    void Click() const { RunEvent(dispatcher_, OnClick); }

    std::function<void()> OnClick;

private:
    std::unique_ptr<TMenuItemPeer> peer_;
    const TDispatcher* dispatcher_;
    std::string name_;
    std::string caption_;
    std::vector<std::unique_ptr<TMenuItem>> items_;
};

class TPopupMenu {
public:
    // Opens over `owner`'s window.
    explicit TPopupMenu(const TControl& owner);
    ~TPopupMenu();
    TPopupMenu(const TPopupMenu&) = delete;
    TPopupMenu& operator=(const TPopupMenu&) = delete;

    const std::string& Name() const { return name_; }
    void SetName(const std::string& v) { name_ = v; }

    TMenuItem* Add(const std::string& caption);
    const std::vector<std::unique_ptr<TMenuItem>>& Items() const { return items_; }

    // Runs OnPopup, then shows the menu at a place on the screen and waits for a choice.
    void Popup(TPoint screen);

    std::function<void()> OnPopup;

private:
    std::unique_ptr<TPopupMenuPeer> peer_;
    const TDispatcher* dispatcher_;
    std::string name_;
    std::vector<std::unique_ptr<TMenuItem>> items_;
};

} // namespace pellow
