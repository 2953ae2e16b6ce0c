#pragma once
// What a toolkit implements for the controls: each control keeps its state and its rules
// and hands display and native input to a peer of its kind. A peer shows what it is told
// and reports what the user did through its callbacks, which the control sets; it never
// raises a callback for a change made through its own methods. Places and sizes are at
// 96 dpi; the peer scales them to the screen. Ui/Toolkit.h makes the peers.
//
// GUI thread only.

#include "ui/Font.h"
#include "ui/Geometry.h"
#include "ui/Picture.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pellow {

class TControlPeer {
public:
    virtual ~TControlPeer() = default;

    // The control's name, for finding it from outside (accessibility, automation).
    virtual void SetName(const std::string& name) = 0;
    // Within the parent's area; for a window, its client size.
    virtual void SetBounds(const TRect& bounds) = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual void SetEnabled(bool enabled) = 0;
    // Shown when the mouse rests on the control; empty for none. A line may end in CR.
    virtual void SetToolTip(const std::string& text) = 0;
    virtual void SetFocus() = 0;
    // What the control's own frame or caption takes from its edges: docked children keep
    // clear of it.
    virtual TMargins ClientInsets() const { return {}; }

    // ClientInsets changed (the caption's font did).
    std::function<void()> ClientChanged;
};

// Labels, panels with a caption drawn in them, group boxes.
class TCaptionPeer : public TControlPeer {
public:
    virtual void SetCaption(const std::string& caption) = 0;
};

// A panel with a caption bar holding a close button.
class TExtPanelPeer : public TCaptionPeer {
public:
    std::function<void()> CloseClicked;
};

// A panel whose children scroll within it.
class TScrollBoxPeer : public TControlPeer {
public:
    // The area the children stand in.
    virtual void SetContentSize(int width, int height) = 0;
};

struct TScrollInfo {
    int Min = 0;
    int Max = 0;
    int PageStep = 1;
    int SingleStep = 1;
    int Position = 0;
    bool operator==(const TScrollInfo&) const = default;
};

// A vertical scroll bar.
class TScrollBarPeer : public TControlPeer {
public:
    virtual void SetScroll(const TScrollInfo& scroll) = 0;
    std::function<void(int position)> Scrolled;
};

class TButtonPeer : public TCaptionPeer {
public:
    // The window's default button looks it.
    virtual void SetDefault(bool isDefault) = 0;
    std::function<void()> Clicked;
};

// A flat button with a picture, and its caption under the picture when it has one.
class TSpeedButtonPeer : public TCaptionPeer {
public:
    virtual void SetGlyph(const TPicture& glyph) = 0;
    std::function<void()> Clicked;
};

class TCheckBoxPeer : public TCaptionPeer {
public:
    virtual void SetChecked(bool checked) = 0;
    // The user clicked it; `checked` is its new state.
    std::function<void(bool checked)> Clicked;
};

// A one-line edit. Text is the user's bytes (see ui/TextBytes.h), without a length limit.
class TEditPeer : public TControlPeer {
public:
    virtual void SetText(const std::string& text) = 0;
    virtual void SetReadOnly(bool readOnly) = 0;
    // The user changed the text.
    std::function<void(const std::string& text)> TextEdited;
    // A key about to type `key` (the first byte of its character), except Enter and keys
    // with Ctrl; set to 0 to discard the key.
    std::function<void(char& key)> KeyTyped;
};

// A combo box, editable or pick-from-list (chosen when made).
class TComboBoxPeer : public TControlPeer {
public:
    virtual void SetItems(const std::vector<std::string>& items) = 0;
    // -1 selects nothing.
    virtual void SetItemIndex(int index) = 0;
    // Editable boxes: the text shown.
    virtual void SetText(const std::string& text) = 0;
    std::function<void(int index)> ItemChosen;
    std::function<void(const std::string& text)> TextEdited;
    // The list is about to open; its items may change first.
    std::function<void()> DroppingDown;
};

// A multi-line edit with word wrap. It keeps the text, which the user edits in place: its
// line breaks, of any kind, stay as they came; Enter types CR LF.
class TMemoPeer : public TControlPeer {
public:
    virtual std::string Text() const = 0;
    virtual void SetText(const std::string& text) = 0;
    // Adds at the end, leaving the caret and the scrolling where they are.
    virtual void Append(const std::string& text) = 0;
    virtual std::string SelText() const = 0;
    // Puts the selection on the clipboard; nothing without one.
    virtual void CopySelection() = 0;
    virtual void SetFont(const TFont& font) = 0;
    // Its vertical scrolling: shown by its own scroll bar, or reported for another one.
    virtual void ShowOwnScrollBar(bool show) = 0;
    virtual TScrollInfo Scroll() const = 0;
    virtual void SetScrollPosition(int position) = 0;
    // Whether a context menu request goes to ContextPopup rather than the memo's own menu.
    virtual void SetCustomContextMenu(bool custom) = 0;
    std::function<void(const TScrollInfo& scroll)> ScrollChanged;
    // At a place on the screen.
    std::function<void(TPoint screen)> ContextPopup;
};

// A circle: an outline only, or filled (chosen when made).
class TShapePeer : public TControlPeer {
public:
    virtual void SetColors(TColor pen, TColor brush) = 0;
};

class TMenuItemPeer;

// A menu holding items.
class TMenuPeer {
public:
    virtual ~TMenuPeer() = default;
    virtual std::unique_ptr<TMenuItemPeer> NewItem(const std::string& caption) = 0;
};

class TMenuItemPeer {
public:
    virtual ~TMenuItemPeer() = default;
    // The menu that opens from this item; made on first use.
    virtual TMenuPeer& Submenu() = 0;
    std::function<void()> Clicked;
};

class TPopupMenuPeer : public TMenuPeer {
public:
    // Shows the menu at a place on the screen and returns once it has closed.
    virtual void Popup(TPoint screen) = 0;
};

// The window. Bounds give its client size; it is placed in the middle of the screen.
class TFormPeer : public TControlPeer {
public:
    virtual void SetCaption(const std::string& caption) = 0;
    // The smallest client size the user may make it.
    virtual void SetMinClientSize(int width, int height) = 0;
    // Asks the window to close, as its close button does.
    virtual void Close() = 0;
    // Keeps the window above all others that do not stay on top, without moving it.
    virtual void SetStayOnTop(bool stayOnTop) = 0;

    // The window is on the screen; raised after the events of showing it.
    std::function<void()> Shown;
    // The user or Close asks it to close; returns whether it may.
    std::function<bool()> CloseQuery;
    // Its client size changed.
    std::function<void(int width, int height)> Resized;
    // Enter was pressed where no control takes it.
    std::function<void()> EnterPressed;
};

// Ticks at an interval until stopped.
class TTimerPeer {
public:
    virtual ~TTimerPeer() = default;
    // Ticks every `milliseconds`, first after one interval, restarting the count; 0 ticks
    // whenever the events that came meanwhile have been handled.
    virtual void Start(int milliseconds) = 0;
    virtual void Stop() = 0;

    std::function<void()> Tick;
};

} // namespace pellow
