// The send area on the Windows API: a multi-line edit, which keeps its text exactly as it
// was given, whatever its line breaks; Enter types CR LF.
#include "ui/Toolkit.h"
#include "ui/win32/Win32Font.h"
#include "ui/win32/Win32Window.h"

#include <windowsx.h>

#include <algorithm>

namespace pellow {

namespace {

constexpr DWORD MemoStyle = ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_TABSTOP;

// Messages that never move the text: the rest may, and the scroll bar bound to the memo
// is told when they did.
bool CannotScroll(UINT message) {
    switch (message) {
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_ERASEBKGND:
    case WM_NCHITTEST:
    case WM_SETCURSOR:
    case WM_GETDLGCODE:
    case WM_NCMOUSEMOVE:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_GETFONT:
    case WM_CTLCOLOREDIT:
        return true;
    default:
        return message >= EM_GETSEL && message <= EM_GETLIMITTEXT && message != EM_SETSEL &&
               message != EM_LINESCROLL && message != EM_SCROLL && message != EM_SCROLLCARET &&
               message != EM_REPLACESEL;
    }
}

class Win32MemoPeer final : public Win32ControlPeer<TMemoPeer> {
public:
    explicit Win32MemoPeer(TControlPeer& parent) {
        CreateControl(parent, L"EDIT", MemoStyle | WS_VSCROLL, WS_EX_CLIENTEDGE);
        // As much text as memory holds, rather than the control's 30 000 characters.
        ::SendMessageW(Handle(), EM_SETLIMITTEXT, 0, 0);
        Subclass();
    }

    std::string Text() const override { return WindowBytes(Handle()); }
    void SetText(const std::string& text) override {
        ::SetWindowTextW(Handle(), ToWide(text).c_str());
        const int end = ::GetWindowTextLengthW(Handle());
        ::SendMessageW(Handle(), EM_SETSEL, end, end);
        ::SendMessageW(Handle(), EM_SCROLLCARET, 0, 0);
    }
    void Append(const std::string& text) override {
        DWORD start = 0;
        DWORD end = 0;
        ::SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                       reinterpret_cast<LPARAM>(&end));
        const LRESULT first = ::SendMessageW(Handle(), EM_GETFIRSTVISIBLELINE, 0, 0);
        ::SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
        const int length = ::GetWindowTextLengthW(Handle());
        ::SendMessageW(Handle(), EM_SETSEL, length, length);
        const std::wstring wide = ToWide(text);
        ::SendMessageW(Handle(), EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
        ::SendMessageW(Handle(), EM_SETSEL, start, end);
        const LRESULT now = ::SendMessageW(Handle(), EM_GETFIRSTVISIBLELINE, 0, 0);
        ::SendMessageW(Handle(), EM_LINESCROLL, 0, first - now);
        ::SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
        ::InvalidateRect(Handle(), nullptr, TRUE);
        ReportScroll();
    }
    std::string SelText() const override {
        DWORD start = 0;
        DWORD end = 0;
        ::SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                       reinterpret_cast<LPARAM>(&end));
        std::wstring text(std::size_t(::GetWindowTextLengthW(Handle())) + 1, L'\0');
        text.resize(std::size_t(::GetWindowTextW(Handle(), text.data(), int(text.size()))));
        end = std::min<DWORD>(end, DWORD(text.size()));
        start = std::min(start, end);
        return ToBytes(std::wstring_view(text).substr(start, end - start));
    }
    void CopySelection() override { ::SendMessageW(Handle(), WM_COPY, 0, 0); }
    void SetFont(const TFont& font) override {
        font_ = Win32Font(font);
        colour_ = RGB(font.Color.R, font.Color.G, font.Color.B);
        ::SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
    }
    void ShowOwnScrollBar(bool show) override {
        const LONG_PTR style = ::GetWindowLongPtrW(Handle(), GWL_STYLE);
        if (bool(style & WS_VSCROLL) == show)
            return;
        // The edit shows its scroll bar again whenever its range changes if it was made
        // with one: a memo without one is made anew, without.
        const HWND parent = ::GetParent(Handle());
        const HWND memo = ::CreateWindowExW(
            DWORD(::GetWindowLongPtrW(Handle(), GWL_EXSTYLE)), L"EDIT", L"",
            DWORD(show ? (style | WS_VSCROLL) : (style & ~LONG_PTR(WS_VSCROLL))), 0, 0, 0, 0,
            parent, ::GetMenu(Handle()), ::GetModuleHandleW(nullptr), nullptr);
        const std::wstring text = ToWide(Text());
        ::SendMessageW(memo, EM_SETLIMITTEXT, 0, 0);
        ::SetWindowTextW(memo, text.c_str());
        Replace(memo);
        if (!toolTip_.empty())
            SetToolTipText(memo, toolTip_);
        ReportScroll();
    }
    TScrollInfo Scroll() const override {
        const int lines = int(::SendMessageW(Handle(), EM_GETLINECOUNT, 0, 0));
        const int first = int(::SendMessageW(Handle(), EM_GETFIRSTVISIBLELINE, 0, 0));
        RECT area{};
        ::SendMessageW(Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
        const int visible = std::max(1, int(area.bottom - area.top) / LineHeight());
        return {0, std::max(0, lines - visible), visible, 1, first};
    }
    void SetScrollPosition(int position) override {
        const int first = int(::SendMessageW(Handle(), EM_GETFIRSTVISIBLELINE, 0, 0));
        ::SendMessageW(Handle(), EM_LINESCROLL, 0, position - first);
    }
    void SetCustomContextMenu(bool custom) override { customMenu_ = custom; }

    LRESULT Reflected(UINT message, WPARAM, LPARAM lParam, bool& handled) override {
        if (message != WM_CTLCOLOREDIT && message != WM_CTLCOLORSTATIC)
            return 0;
        handled = true;
        const HDC dc = reinterpret_cast<HDC>(lParam);
        ::SetTextColor(dc, colour_);
        ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
    }

protected:
    LRESULT SubclassProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_CONTEXTMENU && customMenu_) {
            POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            if (lParam == -1) { // from the keyboard: the middle of the memo
                RECT r;
                ::GetWindowRect(Handle(), &r);
                at = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
            }
            Raise(ContextPopup, TPoint{at.x, at.y});
            return 0;
        }
        const LRESULT result = NextProc(message, wParam, lParam);
        if (!CannotScroll(message) && (message != WM_MOUSEMOVE || ::GetCapture() == Handle()))
            ReportScroll();
        return result;
    }

private:
    int LineHeight() const {
        const HDC dc = ::GetDC(Handle());
        const HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(Handle(), WM_GETFONT, 0, 0)));
        TEXTMETRICW metrics{};
        ::GetTextMetricsW(dc, &metrics);
        ::SelectObject(dc, old);
        ::ReleaseDC(Handle(), dc);
        return std::max<int>(1, metrics.tmHeight);
    }
    void ReportScroll() {
        if (reporting_ || !ScrollChanged)
            return;
        reporting_ = true;
        const TScrollInfo now = Scroll();
        reporting_ = false;
        if (now == reported_)
            return;
        reported_ = now;
        ScrollChanged(now);
    }

    Win32Font font_;
    COLORREF colour_ = RGB(0, 0, 0);
    bool customMenu_ = false;
    bool reporting_ = false;
    TScrollInfo reported_{-1, -1, -1, -1, -1};
};

} // namespace

std::unique_ptr<TMemoPeer> NewMemoPeer(TControlPeer& parent) {
    return std::make_unique<Win32MemoPeer>(parent);
}

} // namespace pellow
