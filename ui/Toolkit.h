#pragma once
// The toolkit the window is drawn with: it makes the controls' peers (ui/Peers.h) and
// offers the services the window needs. One implementation per toolkit, chosen by the
// build. GUI thread only.

#include "ui/Peers.h"

#include <memory>

namespace pellow {

std::unique_ptr<TTimerPeer> NewTimerPeer();

} // namespace pellow
