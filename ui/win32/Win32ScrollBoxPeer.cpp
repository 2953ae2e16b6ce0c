// A panel whose children scroll within it: they stand in a content window that the panel's
// scroll bar moves.
#include "ui/Toolkit.h"
#include "ui/win32/Win32Scrolling.h"
#include "ui/win32/Win32Window.h"

#include <algorithm>

namespace pellow {

namespace {

constexpr DWORD ContainerStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
// Pixels a notch of the mouse wheel scrolls by.
constexpr int WheelStep = 40;
// A narrow bar: the rows were laid out for nearly the panel's whole width.
constexpr int BarWidth = 8;

class Win32Content final : public Win32Window {
public:
    explicit Win32Content(HWND parent) { CreateOwnWindow(WS_EX_CONTROLPARENT, ContainerStyle, parent); }
};

class Win32ScrollBoxPeer final : public Win32ControlPeer<TScrollBoxPeer> {
public:
    explicit Win32ScrollBoxPeer(TControlPeer& parent) {
        CreateOwnWindow(WS_EX_CONTROLPARENT, ContainerStyle, ChildHostOf(parent));
        content_ = std::make_unique<Win32Content>(Handle());
        // Made after the content, so it lies over the content's right edge.
        bar_ = ::CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_VERT, 0, 0,
                                 BarWidth, 0, Handle(), nullptr, ::GetModuleHandleW(nullptr),
                                 nullptr);
        ::SetWindowPos(bar_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        UpdateScroll();
    }
    void SetContentSize(int width, int height) override {
        contentHeight_ = height;
        ::SetWindowPos(content_->Handle(), nullptr, 0, -position_, width, height,
                       SWP_NOZORDER | SWP_NOACTIVATE);
        UpdateScroll();
    }
    HWND ChildHost() const override { return content_->Handle(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_SIZE:
            ::MoveWindow(bar_, LOWORD(lParam) - BarWidth, 0, BarWidth, HIWORD(lParam), TRUE);
            UpdateScroll();
            break;
        case WM_VSCROLL:
            if (reinterpret_cast<HWND>(lParam) == bar_) {
                ScrollTo(RequestedPosition(bar_, SB_CTL, LOWORD(wParam), Scroll()));
                return 0;
            }
            break;
        case WM_MOUSEWHEEL:
            ScrollTo(position_ - GET_WHEEL_DELTA_WPARAM(wParam) * WheelStep / WHEEL_DELTA);
            return 0;
        default:
            break;
        }
        return Win32ControlPeer::WindowProc(message, wParam, lParam);
    }

private:
    int Page() const {
        RECT client;
        ::GetClientRect(Handle(), &client);
        return std::max<int>(1, client.bottom);
    }
    TScrollInfo Scroll() const {
        return {0, std::max(0, contentHeight_ - Page()), Page(), WheelStep / 2, position_};
    }
    void ScrollTo(int position) {
        position = std::clamp(position, 0, std::max(0, contentHeight_ - Page()));
        if (position == position_)
            return;
        position_ = position;
        ::SetScrollPos(bar_, SB_CTL, position, TRUE);
        ::SetWindowPos(content_->Handle(), nullptr, 0, -position, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    void UpdateScroll() {
        ShowScroll(bar_, SB_CTL, Scroll());
        ::EnableWindow(bar_, contentHeight_ > Page());
        ScrollTo(position_);
    }

    std::unique_ptr<Win32Content> content_;
    HWND bar_ = nullptr;
    int contentHeight_ = 0;
    int position_ = 0;
};

} // namespace

std::unique_ptr<TScrollBoxPeer> NewScrollBoxPeer(TControlPeer& parent) {
    return std::make_unique<Win32ScrollBoxPeer>(parent);
}

} // namespace pellow
