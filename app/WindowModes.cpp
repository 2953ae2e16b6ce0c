// Window modes and the status-bar tools: stay on top, the send list, the counters.
#include "app/TfrmMain.h"

namespace pellow {

void TfrmMain::btnDesktopClick() {
    const bool toTop = btnDesktop->Hint() == "Normal window";
    SetStayOnTop(toTop);
    if (!DesktopGlyph) {
        DesktopGlyph = std::make_unique<TPicture>();
    }
    imglDesktop.GetBitmap(toTop ? 0 : 1, *DesktopGlyph);
    btnDesktop->SetGlyph(*DesktopGlyph);
    btnDesktop->SetHint(toTop ? "Stay on top" : "Normal window");
}

void TfrmMain::btnListClick() {
    if (pnSendList->Visible()) {
        pnSendList->SetVisible(false);
        btnList->SetCaption("Extend");
        return;
    }
    epSendList->SetVisible(true);
    pnSendList->SetVisible(true);
    btnList->SetCaption("Normal");
}

void TfrmMain::epSendListClose() {
    pnSendList->SetVisible(false);
}

void TfrmMain::btnCounterResetClick() {
    lbRX->SetCaption("0");
    lbTX->SetCaption("0");
}

} // namespace pellow
