// Popup menus, submenus and their items on the Windows API. A popup returns the command
// of the chosen item, which its menu tree maps back to the item.
#include "ui/Toolkit.h"
#include "ui/win32/Win32Window.h"

#include <map>
#include <memory>

namespace pellow {

namespace {

// The items of one popup menu and its submenus, by command.
struct MenuCommands {
    std::map<UINT, TMenuItemPeer*> Items;
    UINT Next = 1;
};

class Win32Menu : public TMenuPeer {
public:
    Win32Menu(HMENU menu, std::shared_ptr<MenuCommands> commands)
        : menu_(menu), commands_(std::move(commands)) {}
    ~Win32Menu() override {
        if (menu_)
            ::DestroyMenu(menu_);
    }
    std::unique_ptr<TMenuItemPeer> NewItem(const std::string& caption) override;
    HMENU Menu() const { return menu_; }

protected:
    HMENU menu_;
    std::shared_ptr<MenuCommands> commands_;
};

class Win32MenuItemPeer final : public TMenuItemPeer {
public:
    Win32MenuItemPeer(HMENU menu, std::shared_ptr<MenuCommands> commands, const std::string& caption)
        : menu_(menu), commands_(std::move(commands)), command_(commands_->Next++),
          caption_(ToWide(caption)) {
        ::AppendMenuW(menu_, MF_STRING, command_, caption_.c_str());
        commands_->Items[command_] = this;
    }
    ~Win32MenuItemPeer() override {
        commands_->Items.erase(command_);
        // Removing leaves the submenu to its own peer, which destroys it.
        if (const int at = Position(); at >= 0)
            ::RemoveMenu(menu_, UINT(at), MF_BYPOSITION);
    }
    TMenuPeer& Submenu() override {
        if (!submenu_) {
            submenu_ = std::make_unique<Win32Menu>(::CreatePopupMenu(), commands_);
            MENUITEMINFOW info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_SUBMENU;
            info.hSubMenu = submenu_->Menu();
            ::SetMenuItemInfoW(menu_, command_, FALSE, &info);
        }
        return *submenu_;
    }

private:
    int Position() const {
        for (int i = 0, n = ::GetMenuItemCount(menu_); i < n; ++i) {
            if (::GetMenuItemID(menu_, i) == command_ ||
                (submenu_ && ::GetSubMenu(menu_, i) == submenu_->Menu()))
                return i;
        }
        return -1;
    }

    HMENU menu_;
    std::shared_ptr<MenuCommands> commands_;
    UINT command_;
    std::wstring caption_;
    std::unique_ptr<Win32Menu> submenu_;
};

std::unique_ptr<TMenuItemPeer> Win32Menu::NewItem(const std::string& caption) {
    return std::make_unique<Win32MenuItemPeer>(menu_, commands_, caption);
}

class Win32PopupMenuPeer final : public TPopupMenuPeer {
public:
    explicit Win32PopupMenuPeer(HWND owner)
        : owner_(owner), commands_(std::make_shared<MenuCommands>()),
          menu_(::CreatePopupMenu(), commands_) {}
    std::unique_ptr<TMenuItemPeer> NewItem(const std::string& caption) override {
        return menu_.NewItem(caption);
    }
    void Popup(TPoint screen) override {
        const UINT command = UINT(::TrackPopupMenu(menu_.Menu(), TPM_RETURNCMD | TPM_RIGHTBUTTON,
                                                   screen.X, screen.Y, 0, owner_, nullptr));
        const auto item = commands_->Items.find(command);
        if (item != commands_->Items.end() && item->second->Clicked)
            item->second->Clicked();
    }

private:
    HWND owner_;
    std::shared_ptr<MenuCommands> commands_;
    Win32Menu menu_;
};

} // namespace

std::unique_ptr<TPopupMenuPeer> NewPopupMenuPeer(TControlPeer& owner) {
    auto* window = dynamic_cast<Win32Window*>(&owner);
    return std::make_unique<Win32PopupMenuPeer>(window ? ::GetAncestor(window->Handle(), GA_ROOT)
                                                       : nullptr);
}

} // namespace pellow
