#pragma once
// Peers on the Windows API: each peer owns the window that shows its control, made inside
// its parent's window. Standard controls tell their parent what happened (WM_COMMAND,
// WM_VSCROLL, WM_DRAWITEM, WM_CTLCOLOR…); our own windows hand those messages back to the
// child's peer, so each peer handles its own notifications. GUI thread only.
//
// Sizes need no scaling: the program is DPI-unaware, and the system scales its window.

#include "ui/Peers.h"

#include <windows.h>

#include <string>
#include <string_view>

namespace pellow {

// The user's bytes as window text and back, losslessly (see ui/TextBytes.h).
std::wstring ToWide(std::string_view bytes);
std::string ToBytes(std::wstring_view text);
// A window's whole text as bytes.
std::string WindowBytes(HWND window);

class Win32Window {
public:
    virtual ~Win32Window();
    Win32Window(const Win32Window&) = delete;
    Win32Window& operator=(const Win32Window&) = delete;

    HWND Handle() const { return hwnd_; }
    // The window the children of this peer are made in.
    virtual HWND ChildHost() const { return hwnd_; }
    // A notification this window sent its parent; sets `handled` when it answers it.
    virtual LRESULT Reflected(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

    // The peer that shows `window`, if one does.
    static Win32Window* Of(HWND window);

protected:
    Win32Window() = default;
    // Takes `window` as this peer's own, destroying it with the peer.
    void Attach(HWND window);
    // Our own windows' procedure; the default hands children's notifications back to them.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

    // A window of our own class, made with the peer as its procedure's target.
    HWND CreateOwnWindow(DWORD exStyle, DWORD style, HWND parent);
    // A standard control of `className` inside `parent`'s children's window.
    HWND CreateControl(TControlPeer& parent, const wchar_t* className, DWORD style,
                       DWORD exStyle = 0);
    // Lets this peer see the standard control's own messages first (SubclassProc).
    void Subclass();
    // Puts `window` in the place of this peer's window (same parent, place, font, stacking),
    // which it destroys; for styles a control reads only when made.
    void Replace(HWND window);
    virtual LRESULT SubclassProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT NextProc(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK StaticProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK StaticSubclassProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam, UINT_PTR id, DWORD_PTR self);
    HWND hwnd_ = nullptr;
    bool subclassed_ = false;
};

// The window of a parent peer that its children are made in.
HWND ChildHostOf(TControlPeer& parent);
// The window's top-level window's control font.
HFONT ControlFont(HWND window);

// Gives a top-level window the tool-tip window its controls' hints show in.
HWND AttachToolTips(HWND topLevel);
// Shows `text` as the tool-tip of `window`; empty removes it. A line may end in a lone CR.
void SetToolTipText(HWND window, const std::string& text);

// What every peer does, on its window.
template <class Peer> class Win32ControlPeer : public Peer, public Win32Window {
public:
    void SetName(const std::string& name) override { name_ = name; }
    void SetBounds(const TRect& r) override {
        ::MoveWindow(Handle(), r.Left, r.Top, r.Width, r.Height, TRUE);
    }
    void SetVisible(bool visible) override { ::ShowWindow(Handle(), visible ? SW_SHOWNA : SW_HIDE); }
    void SetEnabled(bool enabled) override { ::EnableWindow(Handle(), enabled); }
    void SetToolTip(const std::string& text) override {
        toolTip_ = text;
        SetToolTipText(Handle(), text);
    }
    void SetFocus() override { ::SetFocus(Handle()); }

protected:
    template <typename Callback, typename... Args>
    static void Raise(const Callback& callback, Args&&... args) {
        if (callback)
            callback(std::forward<Args>(args)...);
    }
    std::string name_;
    std::string toolTip_;
};

} // namespace pellow
