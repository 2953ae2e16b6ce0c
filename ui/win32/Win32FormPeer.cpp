#include "ui/win32/Win32FormPeer.h"

#include "ui/Toolkit.h"

#include <vector>

namespace pellow {

namespace {

constexpr UINT ShownMessage = WM_APP + 1;
constexpr DWORD FormStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr wchar_t TitleProperty[] = L"PellowTitle";

// The controls' own face; the memos choose theirs.
HFONT NewControlFont() {
    LOGFONTW font{};
    font.lfHeight = -11;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = CLEARTYPE_QUALITY;
    wcscpy(font.lfFaceName, L"Tahoma");
    return ::CreateFontIndirectW(&font);
}

// The window size for a client size.
SIZE OuterSize(HWND window, int width, int height) {
    RECT r{0, 0, width, height};
    ::AdjustWindowRectEx(&r, DWORD(::GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                         DWORD(::GetWindowLongPtrW(window, GWL_EXSTYLE)));
    return {r.right - r.left, r.bottom - r.top};
}

} // namespace

class Win32FormPeer final : public Win32ControlPeer<TFormPeer> {
public:
    Win32FormPeer() : font_(NewControlFont()) {
        CreateOwnWindow(WS_EX_CONTROLPARENT, FormStyle, nullptr);
        AttachToolTips(Handle());
    }
    ~Win32FormPeer() override { ::DeleteObject(font_); }

    void SetBounds(const TRect& r) override {
        const SIZE outer = OuterSize(Handle(), r.Width, r.Height);
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
        int left = 0;
        int top = 0;
        if (placed_) {
            flags |= SWP_NOMOVE;
        } else {
            RECT work{};
            ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
            left = work.left + (work.right - work.left - outer.cx) / 2;
            top = work.top + (work.bottom - work.top - outer.cy) / 2;
        }
        ::SetWindowPos(Handle(), nullptr, left, top, outer.cx, outer.cy, flags);
    }
    void SetVisible(bool visible) override {
        const bool wasVisible = ::IsWindowVisible(Handle());
        ::ShowWindow(Handle(), visible ? SW_SHOW : SW_HIDE);
        if (visible && !wasVisible) {
            placed_ = true;
            // Start-up may show a message box; it runs once the window is on the screen.
            ::PostMessageW(Handle(), ShownMessage, 0, 0);
        }
    }
    void SetCaption(const std::string& caption) override {
        ::SetWindowTextW(Handle(), ToWide(caption).c_str());
    }
    void SetMinClientSize(int width, int height) override { minClient_ = {width, height}; }
    void Close() override { ::SendMessageW(Handle(), WM_CLOSE, 0, 0); }
    void SetStayOnTop(bool stayOnTop) override {
        ::SetWindowPos(Handle(), stayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }

    void PressEnter() { Raise(EnterPressed); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        switch (message) {
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_);
        case ShownMessage:
            Raise(Shown);
            return 0;
        case WM_CLOSE:
            if (CloseQuery && !CloseQuery())
                return 0;
            // The controls take their windows apart with the form; until then it only hides.
            ::ShowWindow(Handle(), SW_HIDE);
            ::PostQuitMessage(0);
            return 0;
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED)
                Raise(Resized, int(LOWORD(lParam)), int(HIWORD(lParam)));
            return 0;
        case WM_GETMINMAXINFO: {
            const SIZE outer = OuterSize(Handle(), minClient_.cx, minClient_.cy);
            auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
            info->ptMinTrackSize = {outer.cx, outer.cy};
            return 0;
        }
        case WM_ACTIVATE:
            // The focus comes back to the control that had it when the window went.
            if (LOWORD(wParam) == WA_INACTIVE) {
                lastFocus_ = ::GetFocus();
            } else if (lastFocus_ && ::IsWindow(lastFocus_) && ::IsChild(Handle(), lastFocus_)) {
                ::SetFocus(lastFocus_);
                return 0;
            }
            break;
        default:
            break;
        }
        return Win32ControlPeer::WindowProc(message, wParam, lParam);
    }

private:
    HFONT font_;
    bool placed_ = false;
    SIZE minClient_{0, 0};
    HWND lastFocus_ = nullptr;
};

Win32FormPeer* FormOf(HWND window) {
    return dynamic_cast<Win32FormPeer*>(Win32Window::Of(::GetAncestor(window, GA_ROOT)));
}

namespace {

// The controls Tab visits, in the order they were made: later ones lie on top, so that is
// from the bottom of each level up. A control's own children (a combo box's edit) are its.
void CollectTabStops(HWND parent, std::vector<HWND>& stops) {
    for (HWND child = ::GetWindow(::GetWindow(parent, GW_CHILD), GW_HWNDLAST); child;
         child = ::GetWindow(child, GW_HWNDPREV)) {
        if (!::IsWindowVisible(child) || !::IsWindowEnabled(child))
            continue;
        if (::GetWindowLongPtrW(child, GWL_STYLE) & WS_TABSTOP)
            stops.push_back(child);
        else
            CollectTabStops(child, stops);
    }
}

LRESULT DialogCode(HWND focus, const MSG& message) {
    return ::SendMessageW(focus, WM_GETDLGCODE, message.wParam,
                          reinterpret_cast<LPARAM>(&message));
}

void MoveFocus(HWND form, HWND focus, bool backwards) {
    std::vector<HWND> stops;
    CollectTabStops(form, stops);
    if (stops.empty())
        return;
    std::size_t at = stops.size();
    for (std::size_t i = 0; i < stops.size(); ++i) {
        if (stops[i] == focus || ::IsChild(stops[i], focus))
            at = i;
    }
    std::size_t next = 0;
    if (at == stops.size())
        next = backwards ? stops.size() - 1 : 0;
    else
        next = (at + (backwards ? stops.size() - 1 : 1)) % stops.size();
    ::SetFocus(stops[next]);
    // An edit reached by Tab has its text selected, ready to be typed over.
    if (::SendMessageW(stops[next], WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        ::SendMessageW(stops[next], EM_SETSEL, 0, -1);
}

} // namespace

bool HandleFormKeys(const MSG& message) {
    if (message.message != WM_KEYDOWN || (message.wParam != VK_TAB && message.wParam != VK_RETURN))
        return false;
    Win32FormPeer* form = FormOf(message.hwnd);
    const HWND focus = ::GetFocus();
    if (!form || !focus)
        return false;
    const LRESULT code = DialogCode(focus, message);
    if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE))
        return false;
    if (message.wParam == VK_TAB) {
        if (code & DLGC_WANTTAB)
            return false;
        MoveFocus(form->Handle(), focus, ::GetKeyState(VK_SHIFT) < 0);
        return true;
    }
    // A button takes Enter itself (as a click or not at all); it never presses another.
    if (code & (DLGC_BUTTON | DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))
        return false;
    form->PressEnter();
    return true;
}

void SetApplicationTitle(HWND form, const char* title) {
    ::SetPropW(form, TitleProperty, const_cast<char*>(title));
}

std::wstring ApplicationTitleOf(HWND owner) {
    const auto* title =
        static_cast<const char*>(::GetPropW(::GetAncestor(owner, GA_ROOT), TitleProperty));
    return title ? ToWide(title) : std::wstring();
}

std::unique_ptr<TFormPeer> NewFormPeer() {
    return std::make_unique<Win32FormPeer>();
}

} // namespace pellow
