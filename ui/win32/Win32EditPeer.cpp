// One-line edits on the Windows API.
#include "ui/Toolkit.h"
#include "ui/win32/Win32TypedCharacter.h"
#include "ui/win32/Win32Window.h"

namespace pellow {

namespace {

class Win32EditPeer final : public Win32ControlPeer<TEditPeer> {
public:
    explicit Win32EditPeer(TControlPeer& parent) {
        CreateControl(parent, L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE);
        // An entry holds as much as the settings file can; the control's default would cut it.
        ::SendMessageW(Handle(), EM_SETLIMITTEXT, 0, 0);
        Subclass();
    }
    void SetText(const std::string& text) override {
        settingText_ = true;
        ::SetWindowTextW(Handle(), ToWide(text).c_str());
        settingText_ = false;
    }
    void SetReadOnly(bool readOnly) override {
        ::SendMessageW(Handle(), EM_SETREADONLY, readOnly, 0);
    }
    LRESULT Reflected(UINT message, WPARAM wParam, LPARAM, bool& handled) override {
        if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) {
            handled = true;
            if (!settingText_)
                Raise(TextEdited, WindowBytes(Handle()));
        }
        return 0;
    }

protected:
    LRESULT SubclassProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        // Enter belongs to the window's default button; Ctrl keys are the edit's own.
        // AltGr arrives as Ctrl with Alt, and types.
        const bool ctrl = ::GetKeyState(VK_CONTROL) < 0 && ::GetKeyState(VK_MENU) >= 0;
        if (message == WM_CHAR && wParam != L'\r' && wParam != L'\n' && KeyTyped && !ctrl) {
            const std::string typed = typed_.Take(wParam);
            if (typed.empty())
                return NextProc(message, wParam, lParam);
            char key = typed[0];
            KeyTyped(key);
            if (key == 0)
                return 0;
        }
        return NextProc(message, wParam, lParam);
    }

private:
    bool settingText_ = false;
    Win32TypedCharacter typed_;
};

} // namespace

std::unique_ptr<TEditPeer> NewEditPeer(TControlPeer& parent) {
    return std::make_unique<Win32EditPeer>(parent);
}

} // namespace pellow
