#include "ui/TPanel.h"

namespace pellow {

TPanel::TPanel(TWinControl& parent, TBevel bevel)
    : TWinControl(&parent, NewPanelPeer(parent.Peer(), bevel)) {}

void TPanel::SetCaption(const std::string& v) {
    caption_ = v;
    PeerAs<TCaptionPeer>().SetCaption(v);
}

TGroupBox::TGroupBox(TWinControl& parent, const std::string& caption)
    : TWinControl(&parent, NewGroupBoxPeer(parent.Peer())) {
    SetCaption(caption);
}

void TGroupBox::SetCaption(const std::string& v) {
    caption_ = v;
    PeerAs<TCaptionPeer>().SetCaption(v);
}

TScrollBox::TScrollBox(TWinControl& parent)
    : TWinControl(&parent, NewScrollBoxPeer(parent.Peer())) {}

void TScrollBox::SetContentSize(int width, int height) {
    PeerAs<TScrollBoxPeer>().SetContentSize(width, height);
}

} // namespace pellow
