// Labels, panels, group boxes, scroll bars and shapes on the Windows API.
#include "ui/Toolkit.h"
#include "ui/win32/Win32Scrolling.h"
#include "ui/win32/Win32Window.h"

#include <algorithm>

namespace pellow {

namespace {

constexpr DWORD ContainerStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;

class Win32LabelPeer final : public Win32ControlPeer<TCaptionPeer> {
public:
    explicit Win32LabelPeer(TControlPeer& parent) {
        // SS_NOTIFY: a label takes the mouse, so its hint can show.
        CreateControl(parent, L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY);
    }
    void SetCaption(const std::string& caption) override {
        ::SetWindowTextW(Handle(), ToWide(caption).c_str());
    }
};

// A window of our own that paints a caption over its background; the kinds of panel
// differ in their frame.
template <class Peer = TCaptionPeer> class Win32CaptionWindow : public Win32ControlPeer<Peer> {
public:
    void SetCaption(const std::string& caption) override {
        if (caption == caption_)
            return;
        caption_ = caption;
        ::InvalidateRect(this->Handle(), nullptr, TRUE);
    }

protected:
    explicit Win32CaptionWindow(TControlPeer& parent) {
        this->CreateOwnWindow(WS_EX_CONTROLPARENT, ContainerStyle, ChildHostOf(parent));
    }
    virtual void Paint(HDC dc, const RECT& client) = 0;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_PAINT) {
            const HWND window = this->Handle();
            PAINTSTRUCT ps;
            const HDC dc = ::BeginPaint(window, &ps);
            RECT client;
            ::GetClientRect(window, &client);
            const HGDIOBJ oldFont = ::SelectObject(dc, ControlFont(window));
            ::SetBkMode(dc, TRANSPARENT);
            ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
            Paint(dc, client);
            ::SelectObject(dc, oldFont);
            ::EndPaint(window, &ps);
            return 0;
        }
        return Win32ControlPeer<Peer>::WindowProc(message, wParam, lParam);
    }
    void DrawCaption(HDC dc, RECT area, UINT format) const {
        const std::wstring text = ToWide(caption_);
        ::DrawTextW(dc, text.c_str(), int(text.size()), &area,
                    format | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    std::string caption_;
};

class Win32PanelPeer final : public Win32CaptionWindow<> {
public:
    Win32PanelPeer(TControlPeer& parent, TBevel bevel) : Win32CaptionWindow(parent), bevel_(bevel) {}
    TMargins ClientInsets() const override {
        const int frame = bevel_ == TBevel::None ? 0 : 1;
        return {frame, frame, frame, frame};
    }

protected:
    void Paint(HDC dc, const RECT& client) override {
        RECT area = client;
        if (bevel_ != TBevel::None) {
            ::DrawEdge(dc, &area, bevel_ == TBevel::Raised ? BDR_RAISEDINNER : BDR_SUNKENOUTER,
                       BF_RECT | BF_ADJUST);
        }
        area.left += 3;
        area.right -= 2;
        DrawCaption(dc, area, DT_LEFT | DT_VCENTER);
    }

private:
    TBevel bevel_;
};

class Win32GroupBoxPeer final : public Win32CaptionWindow<> {
public:
    static constexpr int CaptionHeight = 14;
    explicit Win32GroupBoxPeer(TControlPeer& parent) : Win32CaptionWindow(parent) {}
    TMargins ClientInsets() const override { return {2, CaptionHeight + 1, 2, 2}; }

protected:
    void Paint(HDC dc, const RECT& client) override {
        RECT frame = client;
        frame.top += CaptionHeight / 2;
        ::DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
        if (caption_.empty())
            return;
        const std::wstring text = ToWide(caption_);
        SIZE size{};
        ::GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
        RECT title{8, 0, std::min<LONG>(8 + size.cx + 4, client.right - 6), CaptionHeight};
        ::FillRect(dc, &title, ::GetSysColorBrush(COLOR_BTNFACE));
        title.left += 2;
        DrawCaption(dc, title, DT_LEFT | DT_VCENTER);
    }
};

// A panel with a caption bar holding a close button.
class Win32ExtPanelPeer final : public Win32CaptionWindow<TExtPanelPeer> {
public:
    static constexpr int CaptionHeight = 20;
    // Between the frame and what it holds.
    static constexpr int Gap = 1;

    explicit Win32ExtPanelPeer(TControlPeer& parent) : Win32CaptionWindow(parent) {
        close_ = ::CreateWindowExW(0, L"BUTTON", L"\u00D7", WS_CHILD | WS_VISIBLE | BS_FLAT,
                                   0, 0, CaptionHeight - 2, CaptionHeight - 2, Handle(), nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
        ::SendMessageW(close_, WM_SETFONT, reinterpret_cast<WPARAM>(ControlFont(Handle())), FALSE);
    }
    TMargins ClientInsets() const override {
        return {1 + Gap, 1 + Gap + CaptionHeight, 1 + Gap, 1 + Gap};
    }

protected:
    void Paint(HDC dc, const RECT& client) override {
        ::FrameRect(dc, &client, ::GetSysColorBrush(COLOR_WINDOWFRAME));
        RECT bar{1 + Gap, 1 + Gap, client.right - 1 - Gap, 1 + Gap + CaptionHeight};
        ::FillRect(dc, &bar, ::GetSysColorBrush(COLOR_HIGHLIGHT));
        ::SetTextColor(dc, ::GetSysColor(COLOR_HIGHLIGHTTEXT));
        bar.left += 4;
        bar.right -= CaptionHeight;
        DrawCaption(dc, bar, DT_LEFT | DT_VCENTER);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_COMMAND && reinterpret_cast<HWND>(lParam) == close_) {
            if (HIWORD(wParam) == BN_CLICKED && CloseClicked)
                CloseClicked();
            return 0;
        }
        if (message == WM_SIZE) {
            ::MoveWindow(close_, LOWORD(lParam) - 2 - Gap - (CaptionHeight - 1), 2 + Gap,
                         CaptionHeight - 2, CaptionHeight - 2, TRUE);
        }
        return Win32CaptionWindow<TExtPanelPeer>::WindowProc(message, wParam, lParam);
    }

private:
    HWND close_;
};

class Win32ScrollBarPeer final : public Win32ControlPeer<TScrollBarPeer> {
public:
    explicit Win32ScrollBarPeer(TControlPeer& parent) {
        CreateControl(parent, L"SCROLLBAR", SBS_VERT);
    }
    void SetScroll(const TScrollInfo& scroll) override {
        scroll_ = scroll;
        ShowScroll(Handle(), SB_CTL, scroll);
    }
    LRESULT Reflected(UINT message, WPARAM wParam, LPARAM, bool& handled) override {
        if (message != WM_VSCROLL)
            return 0;
        handled = true;
        const int position = RequestedPosition(Handle(), SB_CTL, LOWORD(wParam), scroll_);
        if (position == scroll_.Position)
            return 0;
        scroll_.Position = position;
        ::SetScrollPos(Handle(), SB_CTL, position, TRUE);
        Raise(Scrolled, position);
        return 0;
    }

private:
    TScrollInfo scroll_;
};

class Win32ShapePeer final : public Win32ControlPeer<TShapePeer> {
public:
    Win32ShapePeer(TControlPeer& parent, bool filled) : filled_(filled) {
        CreateOwnWindow(0, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, ChildHostOf(parent));
    }
    void SetBounds(const TRect& r) override {
        Win32ControlPeer::SetBounds(r);
        // A filled circle lies inside an outlined one: its corners must not cover the ring.
        if (filled_)
            ::SetWindowRgn(Handle(), ::CreateEllipticRgn(0, 0, r.Width + 1, r.Height + 1), TRUE);
    }
    void SetColors(TColor pen, TColor brush) override {
        pen_ = RGB(pen.R, pen.G, pen.B);
        brush_ = RGB(brush.R, brush.G, brush.B);
        ::InvalidateRect(Handle(), nullptr, FALSE);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_PAINT) {
            PAINTSTRUCT ps;
            const HDC dc = ::BeginPaint(Handle(), &ps);
            RECT r;
            ::GetClientRect(Handle(), &r);
            const HPEN pen = ::CreatePen(PS_SOLID, filled_ ? 1 : 2, filled_ ? brush_ : pen_);
            const HBRUSH brush = filled_ ? ::CreateSolidBrush(brush_) : nullptr;
            const HGDIOBJ oldPen = ::SelectObject(dc, pen);
            const HGDIOBJ oldBrush =
                ::SelectObject(dc, brush ? static_cast<HGDIOBJ>(brush) : ::GetStockObject(NULL_BRUSH));
            ::Ellipse(dc, r.left + 1, r.top + 1, r.right - 1, r.bottom - 1);
            ::SelectObject(dc, oldBrush);
            ::SelectObject(dc, oldPen);
            ::DeleteObject(pen);
            if (brush)
                ::DeleteObject(brush);
            ::EndPaint(Handle(), &ps);
            return 0;
        }
        return Win32ControlPeer::WindowProc(message, wParam, lParam);
    }

private:
    bool filled_;
    COLORREF pen_ = RGB(0, 0, 0);
    COLORREF brush_ = RGB(255, 255, 255);
};

} // namespace

std::unique_ptr<TCaptionPeer> NewLabelPeer(TControlPeer& parent) {
    return std::make_unique<Win32LabelPeer>(parent);
}

std::unique_ptr<TCaptionPeer> NewPanelPeer(TControlPeer& parent, TBevel bevel) {
    return std::make_unique<Win32PanelPeer>(parent, bevel);
}

std::unique_ptr<TCaptionPeer> NewGroupBoxPeer(TControlPeer& parent) {
    return std::make_unique<Win32GroupBoxPeer>(parent);
}

std::unique_ptr<TExtPanelPeer> NewExtPanelPeer(TControlPeer& parent) {
    return std::make_unique<Win32ExtPanelPeer>(parent);
}

std::unique_ptr<TScrollBarPeer> NewScrollBarPeer(TControlPeer& parent) {
    return std::make_unique<Win32ScrollBarPeer>(parent);
}

std::unique_ptr<TShapePeer> NewShapePeer(TControlPeer& parent, bool filled) {
    return std::make_unique<Win32ShapePeer>(parent, filled);
}

} // namespace pellow
