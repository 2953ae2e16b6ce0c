#include "ui/TMenu.h"

#include "ui/TControl.h"
#include "ui/Toolkit.h"

namespace pellow {

TMenuItem::TMenuItem(TMenuPeer& menu, const TDispatcher* dispatcher, const std::string& caption)
    : peer_(menu.NewItem(caption)), dispatcher_(dispatcher), caption_(caption) {
    peer_->Clicked = [this] { Click(); };
}

// The items go before the peer that holds their menu.
TMenuItem::~TMenuItem() {
    items_.clear();
}

TMenuItem* TMenuItem::Add(const std::string& caption) {
    items_.push_back(std::make_unique<TMenuItem>(peer_->Submenu(), dispatcher_, caption));
    return items_.back().get();
}

TPopupMenu::TPopupMenu(const TControl& owner)
    : peer_(NewPopupMenuPeer(owner.Peer())), dispatcher_(owner.Dispatcher()) {}

TPopupMenu::~TPopupMenu() {
    items_.clear();
}

TMenuItem* TPopupMenu::Add(const std::string& caption) {
    items_.push_back(std::make_unique<TMenuItem>(*peer_, dispatcher_, caption));
    return items_.back().get();
}

void TPopupMenu::Popup(TPoint screen) {
    RunEvent(dispatcher_, OnPopup);
    peer_->Popup(screen);
}

} // namespace pellow
