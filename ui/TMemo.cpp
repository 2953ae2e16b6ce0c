#include "ui/TMemo.h"

#include "ui/TMenu.h"
#include "ui/TScrollBar.h"
#include "ui/Toolkit.h"
#include "ui/TWinControl.h"

namespace pellow {

TMemo::TMemo(TWinControl& parent) : TControl(&parent, NewMemoPeer(parent.Peer())) {
    MemoPeer().ScrollChanged = [this](const TScrollInfo& scroll) { ShowScroll(scroll); };
    MemoPeer().ContextPopup = [this](TPoint screen) {
        if (popupMenu_)
            popupMenu_->Popup(screen);
    };
}

void TMemo::SetFont(const TFont& v) {
    font_ = v;
    MemoPeer().SetFont(v);
}

void TMemo::SetScrollBar(TScrollBar* bar) {
    scrollBar_ = bar;
    MemoPeer().ShowOwnScrollBar(bar == nullptr);
    if (!bar)
        return;
    bar->OnScroll = [this](int position) { MemoPeer().SetScrollPosition(position); };
    ShowScroll(MemoPeer().Scroll());
}

void TMemo::ShowScroll(const TScrollInfo& scroll) {
    if (!scrollBar_)
        return;
    scrollBar_->SetScroll(scroll);
    scrollBar_->SetEnabled(scroll.Max > scroll.Min);
}

void TMemo::SetPopupMenu(TPopupMenu* menu) {
    popupMenu_ = menu;
    MemoPeer().SetCustomContextMenu(menu != nullptr);
}

} // namespace pellow
