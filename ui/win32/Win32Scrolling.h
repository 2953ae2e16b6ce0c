#pragma once
// Scroll bars as Windows keeps them: its range runs to the last position plus the page,
// less one, and a dragged thumb's place has more bits than the message carries.

#include "ui/Peers.h"

#include <windows.h>

namespace pellow {

// Shows `scroll` on the bar (SB_CTL for a scroll bar control, SB_VERT for a window's own);
// `keepShown` disables a bar with nothing to scroll rather than hiding it.
void ShowScroll(HWND window, int bar, const TScrollInfo& scroll, bool keepShown = false);

// Where the WM_VSCROLL request `code` moves the bar showing `scroll`, kept within its range.
int RequestedPosition(HWND window, int bar, int code, const TScrollInfo& scroll);

} // namespace pellow
