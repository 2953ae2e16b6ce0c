#pragma once
// The send area: an editable, word-wrapping memo. Its Text is exactly the bytes put in,
// typed or pasted, each line break as it came; Enter types CR LF, the memo's own line
// break. Its vertical scrolling may be shown by an outside scroll bar (sssbSendData),
// enabled only while the text needs scrolling, and its context menu may be the window's.
//
// GUI thread only.

#include "ui/Font.h"
#include "ui/TControl.h"

namespace pellow {

class TPopupMenu;
class TScrollBar;

class TMemo : public TControl {
public:
    explicit TMemo(TWinControl& parent);

    std::string Text() const { return MemoPeer().Text(); }
    void SetText(const std::string& v) { MemoPeer().SetText(v); }
    // Adds bytes at the end, leaving the caret and the scrolling where they are.
    void Append(const std::string& v) { MemoPeer().Append(v); }
    // The selected part of the text.
    std::string SelText() const { return MemoPeer().SelText(); }
    void Clear() { SetText({}); }
    // Puts the selection on the clipboard; without one the clipboard keeps what it held.
    void CopyToClipboard() { MemoPeer().CopySelection(); }

    const TFont& Font() const { return font_; }
    void SetFont(const TFont& v);

    // Hands the memo's vertical scrolling to an outside scroll bar.
    void SetScrollBar(TScrollBar* bar);
    // The menu its context menu request opens; null: the memo's own.
    void SetPopupMenu(TPopupMenu* menu);

private:
    TMemoPeer& MemoPeer() const { return PeerAs<TMemoPeer>(); }
    void ShowScroll(const TScrollInfo& scroll);

    TFont font_;
    TScrollBar* scrollBar_ = nullptr;
    TPopupMenu* popupMenu_ = nullptr;
};

} // namespace pellow
