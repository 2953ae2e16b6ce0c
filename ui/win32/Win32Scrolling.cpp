#include "ui/win32/Win32Scrolling.h"

#include <algorithm>

namespace pellow {

void ShowScroll(HWND window, int bar, const TScrollInfo& scroll, bool keepShown) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL | (keepShown ? SIF_DISABLENOSCROLL : 0);
    const int page = std::max(scroll.PageStep, 1);
    info.nMin = scroll.Min;
    info.nMax = std::max(scroll.Max, scroll.Min) + page - 1;
    info.nPage = UINT(page);
    info.nPos = scroll.Position;
    ::SetScrollInfo(window, bar, &info, TRUE);
}

int RequestedPosition(HWND window, int bar, int code, const TScrollInfo& scroll) {
    int position = scroll.Position;
    switch (code) {
    case SB_LINEUP: position -= scroll.SingleStep; break;
    case SB_LINEDOWN: position += scroll.SingleStep; break;
    case SB_PAGEUP: position -= scroll.PageStep; break;
    case SB_PAGEDOWN: position += scroll.PageStep; break;
    case SB_TOP: position = scroll.Min; break;
    case SB_BOTTOM: position = scroll.Max; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: {
        // The message's own position has 16 bits; the track position has them all.
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_TRACKPOS;
        ::GetScrollInfo(window, bar, &info);
        position = info.nTrackPos;
        break;
    }
    default: break;
    }
    return std::clamp(position, scroll.Min, std::max(scroll.Min, scroll.Max));
}

} // namespace pellow
