// The program's start on Windows: the common controls, the main window, the message loop.
#include "ui/TForm.h"
#include "ui/Toolkit.h"
#include "ui/win32/Win32FormPeer.h"

#include <commctrl.h>
#include <objbase.h>

namespace pellow {

int RunApplication(int, char*[], const char* title,
                   const std::function<std::unique_ptr<TForm>()>& createMainForm) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    // The open-file dialog's shell parts want a single-threaded apartment.
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    int exitCode = 0;
    {
        const std::unique_ptr<TForm> mainForm = createMainForm();
        if (auto* form = dynamic_cast<Win32Window*>(&mainForm->Peer()))
            SetApplicationTitle(form->Handle(), title);
        mainForm->Show();
        MSG message;
        while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (HandleFormKeys(message))
                continue;
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
        if (message.message == WM_QUIT)
            exitCode = int(message.wParam);
    }
    if (SUCCEEDED(com))
        ::CoUninitialize();
    return exitCode;
}

} // namespace pellow
