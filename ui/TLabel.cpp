#include "ui/TLabel.h"

#include "ui/Toolkit.h"
#include "ui/TWinControl.h"

namespace pellow {

TLabel::TLabel(TWinControl& parent, const std::string& caption)
    : TControl(&parent, NewLabelPeer(parent.Peer())) {
    SetCaption(caption);
}

void TLabel::SetCaption(const std::string& v) {
    caption_ = v;
    PeerAs<TCaptionPeer>().SetCaption(v);
}

} // namespace pellow
