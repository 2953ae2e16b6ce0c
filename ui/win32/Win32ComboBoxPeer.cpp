// Combo boxes on the Windows API.
#include "ui/Toolkit.h"
#include "ui/win32/Win32Window.h"

#include <algorithm>

namespace pellow {

namespace {

constexpr int VisibleItems = 12;

class Win32ComboBoxPeer final : public Win32ControlPeer<TComboBoxPeer> {
public:
    Win32ComboBoxPeer(TControlPeer& parent, bool editable) {
        CreateControl(parent, L"COMBOBOX",
                      (editable ? CBS_DROPDOWN | CBS_AUTOHSCROLL : CBS_DROPDOWNLIST) | WS_VSCROLL |
                          WS_TABSTOP);
        ::SendMessageW(Handle(), CB_LIMITTEXT, 0, 0);
    }
    void SetBounds(const TRect& r) override {
        // The box's own height is its edit's; the window's reaches down over the open list.
        ::SendMessageW(Handle(), CB_SETITEMHEIGHT, WPARAM(-1), std::max(1, r.Height - 6));
        const int item = int(::SendMessageW(Handle(), CB_GETITEMHEIGHT, 0, 0));
        ::MoveWindow(Handle(), r.Left, r.Top, r.Width, r.Height + VisibleItems * item + 2, TRUE);
    }
    void SetItems(const std::vector<std::string>& items) override {
        ::SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
        const HDC dc = ::GetDC(Handle());
        const HGDIOBJ oldFont = ::SelectObject(dc, ControlFont(Handle()));
        int widest = 0;
        for (const std::string& item : items) {
            const std::wstring text = ToWide(item);
            ::SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
            SIZE size{};
            ::GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
            widest = std::max<int>(widest, size.cx);
        }
        ::SelectObject(dc, oldFont);
        ::ReleaseDC(Handle(), dc);
        // The open list is as wide as its longest item, whatever the box's width.
        ::SendMessageW(Handle(), CB_SETDROPPEDWIDTH, widest + ::GetSystemMetrics(SM_CXVSCROLL) + 8, 0);
    }
    void SetItemIndex(int index) override {
        settingText_ = true;
        ::SendMessageW(Handle(), CB_SETCURSEL, WPARAM(index), 0);
        settingText_ = false;
    }
    void SetText(const std::string& text) override {
        settingText_ = true;
        ::SetWindowTextW(Handle(), ToWide(text).c_str());
        settingText_ = false;
    }
    LRESULT Reflected(UINT message, WPARAM wParam, LPARAM, bool& handled) override {
        if (message != WM_COMMAND || settingText_)
            return 0;
        switch (HIWORD(wParam)) {
        case CBN_SELCHANGE:
            handled = true;
            Raise(ItemChosen, int(::SendMessageW(Handle(), CB_GETCURSEL, 0, 0)));
            break;
        case CBN_EDITCHANGE:
            handled = true;
            Raise(TextEdited, WindowBytes(Handle()));
            break;
        case CBN_DROPDOWN:
            handled = true;
            Raise(DroppingDown);
            break;
        default:
            break;
        }
        return 0;
    }

private:
    bool settingText_ = false;
};

} // namespace

std::unique_ptr<TComboBoxPeer> NewComboBoxPeer(TControlPeer& parent, bool editable) {
    return std::make_unique<Win32ComboBoxPeer>(parent, editable);
}

} // namespace pellow
