// Push buttons, flat picture buttons and check boxes on the Windows API.
#include "ui/Toolkit.h"
#include "ui/win32/Win32Picture.h"
#include "ui/win32/Win32Window.h"

namespace pellow {

namespace {

class Win32ButtonPeer final : public Win32ControlPeer<TButtonPeer> {
public:
    explicit Win32ButtonPeer(TControlPeer& parent) {
        CreateControl(parent, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP);
    }
    void SetCaption(const std::string& caption) override {
        ::SetWindowTextW(Handle(), ToWide(caption).c_str());
    }
    void SetDefault(bool isDefault) override {
        ::SendMessageW(Handle(), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }
    LRESULT Reflected(UINT message, WPARAM wParam, LPARAM, bool& handled) override {
        if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
            handled = true;
            Raise(Clicked);
        }
        return 0;
    }
};

class Win32SpeedButtonPeer final : public Win32ControlPeer<TSpeedButtonPeer> {
public:
    explicit Win32SpeedButtonPeer(TControlPeer& parent) {
        CreateControl(parent, L"BUTTON", BS_OWNERDRAW);
        Subclass();
    }
    void SetCaption(const std::string& caption) override {
        caption_ = ToWide(caption);
        ::InvalidateRect(Handle(), nullptr, TRUE);
    }
    void SetGlyph(const TPicture& glyph) override {
        glyph_ = glyph;
        ::InvalidateRect(Handle(), nullptr, TRUE);
    }
    LRESULT Reflected(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override {
        if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
            handled = true;
            Raise(Clicked);
        } else if (message == WM_DRAWITEM) {
            handled = true;
            Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
            return TRUE;
        }
        return 0;
    }

protected:
    // Flat until the mouse is over it, as a tool button is.
    LRESULT SubclassProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_MOUSEMOVE && !hot_) {
            hot_ = true;
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
            ::TrackMouseEvent(&track);
            ::InvalidateRect(Handle(), nullptr, FALSE);
        } else if (message == WM_MOUSELEAVE) {
            hot_ = false;
            ::InvalidateRect(Handle(), nullptr, FALSE);
        }
        return NextProc(message, wParam, lParam);
    }

private:
    void Draw(const DRAWITEMSTRUCT& item) const {
        RECT r = item.rcItem;
        ::FillRect(item.hDC, &r, ::GetSysColorBrush(COLOR_BTNFACE));
        const bool pressed = item.itemState & ODS_SELECTED;
        if (pressed)
            ::DrawEdge(item.hDC, &r, BDR_SUNKENOUTER, BF_RECT);
        else if (hot_)
            ::DrawEdge(item.hDC, &r, BDR_RAISEDINNER, BF_RECT);
        const int shift = pressed ? 1 : 0;
        int textHeight = 0;
        if (!caption_.empty()) {
            RECT measure{0, 0, r.right, 0};
            textHeight = ::DrawTextW(item.hDC, caption_.c_str(), int(caption_.size()), &measure,
                                     DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        }
        const int glyphTop = (r.bottom - glyph_.Height - textHeight) / 2 + shift;
        if (!glyph_.Empty())
            PaintPicture(item.hDC, glyph_, (r.right - glyph_.Width) / 2 + shift, glyphTop);
        if (textHeight > 0) {
            RECT text{r.left, glyphTop + glyph_.Height, r.right, glyphTop + glyph_.Height + textHeight};
            ::SetBkMode(item.hDC, TRANSPARENT);
            ::SetTextColor(item.hDC, ::GetSysColor((item.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT
                                                                                   : COLOR_BTNTEXT));
            ::DrawTextW(item.hDC, caption_.c_str(), int(caption_.size()), &text,
                        DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
    }

    std::wstring caption_;
    TPicture glyph_;
    bool hot_ = false;
};

class Win32CheckBoxPeer final : public Win32ControlPeer<TCheckBoxPeer> {
public:
    explicit Win32CheckBoxPeer(TControlPeer& parent) {
        CreateControl(parent, L"BUTTON", BS_AUTOCHECKBOX | WS_TABSTOP);
    }
    void SetCaption(const std::string& caption) override {
        ::SetWindowTextW(Handle(), ToWide(caption).c_str());
    }
    void SetChecked(bool checked) override {
        ::SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    // BN_CLICKED comes only from the user, after the box has changed its state.
    LRESULT Reflected(UINT message, WPARAM wParam, LPARAM, bool& handled) override {
        if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
            handled = true;
            Raise(Clicked, ::SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED);
        }
        return 0;
    }
};

} // namespace

std::unique_ptr<TButtonPeer> NewButtonPeer(TControlPeer& parent) {
    return std::make_unique<Win32ButtonPeer>(parent);
}

std::unique_ptr<TSpeedButtonPeer> NewSpeedButtonPeer(TControlPeer& parent) {
    return std::make_unique<Win32SpeedButtonPeer>(parent);
}

std::unique_ptr<TCheckBoxPeer> NewCheckBoxPeer(TControlPeer& parent) {
    return std::make_unique<Win32CheckBoxPeer>(parent);
}

} // namespace pellow
