#include "ui/win32/Win32Window.h"

#include "ui/TextBytes.h"

#include <commctrl.h>

namespace pellow {

namespace {

constexpr wchar_t PeerProperty[] = L"PellowPeer";
constexpr wchar_t OwnClassName[] = L"PellowWindow";
constexpr wchar_t ToolTipsProperty[] = L"PellowToolTips";
// Children share one id: they are told apart by their window, and no child may take
// IDOK's, which dialog code looks for.
constexpr UINT_PTR ChildId = 100;
constexpr UINT_PTR SubclassId = 1;

// Registering twice fails harmlessly, so no flag needs to remember the first time.
void RegisterOwnClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = OwnClassName;
    wc.hIcon = ::LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
    ::RegisterClassExW(&wc);
}

// The control that sent a notification to its parent.
HWND NotifyingChild(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
    case WM_VSCROLL:
    case WM_HSCROLL:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
        return reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
    case WM_DRAWITEM:
        return wParam ? reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    default:
        return nullptr;
    }
}

} // namespace

std::wstring ToWide(std::string_view bytes) {
    const std::u16string text = BytesToText(bytes);
    return std::wstring(text.begin(), text.end());
}

std::string ToBytes(std::wstring_view text) {
    return TextToBytes(std::u16string_view(reinterpret_cast<const char16_t*>(text.data()),
                                           text.size()));
}

std::string WindowBytes(HWND window) {
    std::wstring text(std::size_t(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(std::size_t(::GetWindowTextW(window, text.data(), int(text.size()))));
    return ToBytes(text);
}

Win32Window::~Win32Window() {
    if (!hwnd_)
        return;
    // The window may outlive us for a moment: nothing it says from now reaches this peer.
    if (subclassed_)
        ::RemoveWindowSubclass(hwnd_, StaticSubclassProc, SubclassId);
    ::RemovePropW(hwnd_, PeerProperty);
    ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    ::DestroyWindow(hwnd_);
}

Win32Window* Win32Window::Of(HWND window) {
    return window ? static_cast<Win32Window*>(::GetPropW(window, PeerProperty)) : nullptr;
}

void Win32Window::Attach(HWND window) {
    hwnd_ = window;
    ::SetPropW(window, PeerProperty, this);
}

LRESULT Win32Window::Reflected(UINT, WPARAM, LPARAM, bool&) {
    return 0;
}

LRESULT Win32Window::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (Win32Window* child = Of(NotifyingChild(message, wParam, lParam)); child && child != this) {
        bool handled = false;
        const LRESULT result = child->Reflected(message, wParam, lParam, handled);
        if (handled)
            return result;
    }
    return DefaultProc(message, wParam, lParam);
}

LRESULT Win32Window::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

HWND Win32Window::CreateOwnWindow(DWORD exStyle, DWORD style, HWND parent) {
    RegisterOwnClass();
    const HWND window =
        ::CreateWindowExW(exStyle, OwnClassName, L"", style, 0, 0, 0, 0, parent,
                          (style & WS_CHILD) ? reinterpret_cast<HMENU>(ChildId) : nullptr,
                          ::GetModuleHandleW(nullptr), this);
    Attach(window);
    ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StaticProc));
    if (style & WS_CHILD) {
        // Later controls lie over earlier ones, as the layout expects (the close button
        // over the status bar, a label under its edit).
        ::SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(ControlFont(parent)), FALSE);
    }
    return window;
}

HWND Win32Window::CreateControl(TControlPeer& parent, const wchar_t* className, DWORD style,
                                DWORD exStyle) {
    const HWND host = ChildHostOf(parent);
    const HWND window = ::CreateWindowExW(
        exStyle, className, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, 0, 0, 0, 0,
        host, reinterpret_cast<HMENU>(ChildId), ::GetModuleHandleW(nullptr), nullptr);
    Attach(window);
    ::SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(ControlFont(host)), FALSE);
    return window;
}

void Win32Window::Subclass() {
    subclassed_ = ::SetWindowSubclass(hwnd_, StaticSubclassProc, SubclassId,
                                      reinterpret_cast<DWORD_PTR>(this));
}

void Win32Window::Replace(HWND window) {
    const HWND old = hwnd_;
    RECT place{};
    ::GetWindowRect(old, &place);
    ::MapWindowPoints(nullptr, ::GetParent(old), reinterpret_cast<POINT*>(&place), 2);
    ::SetWindowPos(window, old, place.left, place.top, place.right - place.left,
                   place.bottom - place.top, SWP_NOACTIVATE);
    ::SendMessageW(window, WM_SETFONT, ::SendMessageW(old, WM_GETFONT, 0, 0), FALSE);
    ::EnableWindow(window, ::IsWindowEnabled(old));
    // Its own visibility, whether or not its parents are shown yet.
    const bool visible = ::GetWindowLongPtrW(old, GWL_STYLE) & WS_VISIBLE;
    ::ShowWindow(window, visible ? SW_SHOWNA : SW_HIDE);
    const bool subclassed = subclassed_;
    if (subclassed_)
        ::RemoveWindowSubclass(old, StaticSubclassProc, SubclassId);
    subclassed_ = false;
    ::RemovePropW(old, PeerProperty);
    ::DestroyWindow(old);
    Attach(window);
    if (subclassed)
        Subclass();
}

LRESULT Win32Window::SubclassProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return NextProc(message, wParam, lParam);
}

LRESULT Win32Window::NextProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefSubclassProc(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Win32Window::StaticProc(HWND window, UINT message, WPARAM wParam,
                                         LPARAM lParam) {
    Win32Window* self = Of(window);
    if (message == WM_NCDESTROY && self) {
        // Destroyed with its parent before the peer went: the peer has no window now.
        ::RemovePropW(window, PeerProperty);
        self->hwnd_ = nullptr;
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    if (!self || self->hwnd_ != window)
        return ::DefWindowProcW(window, message, wParam, lParam);
    return self->WindowProc(message, wParam, lParam);
}

LRESULT CALLBACK Win32Window::StaticSubclassProc(HWND window, UINT message, WPARAM wParam,
                                                 LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<Win32Window*>(data);
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(window, StaticSubclassProc, SubclassId);
        ::RemovePropW(window, PeerProperty);
        self->subclassed_ = false;
        self->hwnd_ = nullptr;
        return ::DefSubclassProc(window, message, wParam, lParam);
    }
    return self->SubclassProc(message, wParam, lParam);
}

HWND ChildHostOf(TControlPeer& parent) {
    auto* window = dynamic_cast<Win32Window*>(&parent);
    return window ? window->ChildHost() : nullptr;
}

HFONT ControlFont(HWND window) {
    return reinterpret_cast<HFONT>(
        ::SendMessageW(::GetAncestor(window, GA_ROOT), WM_GETFONT, 0, 0));
}

void SetToolTipText(HWND window, const std::string& text) {
    const HWND tips = static_cast<HWND>(::GetPropW(::GetAncestor(window, GA_ROOT), ToolTipsProperty));
    if (!tips)
        return;
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = ::GetParent(window);
    tool.uId = reinterpret_cast<UINT_PTR>(window);
    ::SendMessageW(tips, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    if (text.empty())
        return;
    // A tool-tip breaks its lines at CR LF only.
    std::wstring tip;
    const std::wstring wide = ToWide(text);
    for (std::size_t i = 0; i < wide.size(); ++i) {
        tip += wide[i];
        if (wide[i] == L'\r' && (i + 1 == wide.size() || wide[i + 1] != L'\n'))
            tip += L'\n';
    }
    tool.lpszText = tip.data();
    ::SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

HWND AttachToolTips(HWND topLevel) {
    const HWND tips = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                        WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, topLevel,
                                        nullptr, ::GetModuleHandleW(nullptr), nullptr);
    // A width makes the tip honour its line breaks.
    ::SendMessageW(tips, TTM_SETMAXTIPWIDTH, 0, 600);
    ::SetPropW(topLevel, ToolTipsProperty, tips);
    return tips;
}

} // namespace pellow
