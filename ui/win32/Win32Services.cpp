// The services the window asks of Windows: message boxes and the open-file dialog.
#include "ui/Toolkit.h"
#include "ui/win32/Win32FormPeer.h"
#include "ui/win32/Win32NotifyWindow.h"

#include <commdlg.h>

namespace pellow {

namespace {

class Win32MessageBox final : public TMessageBox {
public:
    explicit Win32MessageBox(HWND owner) : owner_(owner) {}
    void Show(const std::string& text) override { Run(text, MB_ICONWARNING); }
    void ShowError(const std::string& text) override { Run(text, MB_ICONERROR); }

private:
    void Run(const std::string& text, UINT icon) {
        const HWND owner = ::IsWindow(owner_) ? ::GetAncestor(owner_, GA_ROOT) : nullptr;
        const std::wstring title = ApplicationTitleOf(owner);
        ::MessageBoxW(owner, ToWide(text).c_str(), title.c_str(), MB_OK | icon);
    }
    HWND owner_;
};

// "All files|*.*" → "All files\0*.*\0\0", as the dialog wants it.
std::wstring DialogFilter(const std::string& filter) {
    std::wstring result = ToWide(filter);
    const std::size_t bar = result.find(L'|');
    if (bar == std::wstring::npos)
        result += L'\0' + result;
    else
        result[bar] = L'\0';
    result += L'\0';
    return result;
}

} // namespace

std::shared_ptr<TMessageBox> NewMessageBox(TControlPeer& owner) {
    auto* window = dynamic_cast<Win32Window*>(&owner);
    return std::make_shared<Win32MessageBox>(window ? window->Handle() : nullptr);
}

std::optional<std::string> RunOpenFileDialog(TControlPeer& owner, const std::string& title,
                                             const std::string& filter,
                                             const std::string& proposed) {
    auto* window = dynamic_cast<Win32Window*>(&owner);
    const std::wstring filterText = DialogFilter(filter);
    const std::wstring titleText = ToWide(title);
    // Room for the longest path the system takes.
    std::wstring file(32768, L'\0');
    const std::wstring start = ToWide(proposed);
    if (start.size() < file.size())
        std::copy(start.begin(), start.end(), file.begin());
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window ? ::GetAncestor(window->Handle(), GA_ROOT) : nullptr;
    dialog.lpstrFilter = filterText.c_str();
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = DWORD(file.size());
    dialog.lpstrTitle = titleText.c_str();
    dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR |
                   OFN_HIDEREADONLY;
    if (!::GetOpenFileNameW(&dialog))
        return std::nullopt;
    file.resize(file.find(L'\0'));
    return ToBytes(file);
}

TNotifyWindowFactory NotifyWindowFactory() {
    return Win32NotifyWindow::Factory();
}

} // namespace pellow
