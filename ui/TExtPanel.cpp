#include "ui/TExtPanel.h"

#include "ui/Toolkit.h"

namespace pellow {

TExtPanel::TExtPanel(TWinControl& parent, const std::string& caption)
    : TWinControl(&parent, NewExtPanelPeer(parent.Peer())), caption_(caption) {
    TExtPanelPeer& peer = PeerAs<TExtPanelPeer>();
    peer.SetCaption(caption);
    peer.CloseClicked = [this] {
        SetVisible(false);
        Fire(OnClose);
    };
}

} // namespace pellow
