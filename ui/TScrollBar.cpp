#include "ui/TScrollBar.h"

#include "ui/Toolkit.h"
#include "ui/TWinControl.h"

namespace pellow {

TScrollBar::TScrollBar(TWinControl& parent)
    : TControl(&parent, NewScrollBarPeer(parent.Peer())) {
    PeerAs<TScrollBarPeer>().Scrolled = [this](int position) {
        scroll_.Position = position;
        if (OnScroll)
            Fire([this, position] { OnScroll(position); });
    };
}

void TScrollBar::SetScroll(const TScrollInfo& v) {
    if (v == scroll_)
        return;
    scroll_ = v;
    PeerAs<TScrollBarPeer>().SetScroll(v);
}

} // namespace pellow
