// The two timed-send boxes and the small operations that keep automatic and cyclic
// sending apart. Closing the port, file sending and each box's own handling use them.
#include "app/TfrmMain.h"
#include "send/SendInterval.h"

namespace pellow {

namespace {

constexpr const char* OpenPortFirst = "Please open the serial port first.";

bool PortOpen(const TButton* btnCOM) {
    return btnCOM->Caption() == "CLOSE";
}

} // namespace

void TfrmMain::EnableTimedSendBoxes() {
    cbCycleSend->SetEnabled(true);
    cbAutoSend->SetEnabled(true);
}

void TfrmMain::DisableAutoSend() {
    cbAutoSend->SetChecked(false);
    cbAutoSend->SetEnabled(false);
}

void TfrmMain::EnableAutoSendBox() {
    cbAutoSend->SetEnabled(true);
}

void TfrmMain::cbAutoSendClick() {
    if (!cbAutoSend->Checked()) {
        tmAutoSend->SetEnabled(false);
        edtTimer->SetEnabled(true);
        cbCycleSend->SetEnabled(true);
        btnSendFile->SetEnabled(true);
        btnSendData->SetEnabled(true);
        return;
    }
    if (const auto interval = ParseSendInterval(edtTimer->Text())) {
        tmAutoSend->SetInterval(*interval);
    } else {
        msgAlert->Show(AutoSendSettingWrongMessage);
        tmAutoSend->SetEnabled(false);
        edtTimer->SetEnabled(true);
    }
    if (!PortOpen(btnCOM)) {
        cbAutoSend->SetChecked(false);
        tmAutoSend->SetEnabled(false);
        edtTimer->SetEnabled(true);
        msgAlert->Show(OpenPortFirst);
        return;
    }
    tmAutoSend->SetEnabled(true);
    edtTimer->SetEnabled(false);
    cbCycleSend->SetChecked(false);
    cbCycleSend->SetEnabled(false);
    btnSendFile->SetEnabled(false);
    btnSendData->SetEnabled(false);
}

void TfrmMain::cbCycleSendClick() {
    if (!cbCycleSend->Checked()) {
        tmCycleSend->SetEnabled(false);
        edtCycleTimer->SetEnabled(true);
        btnSendFile->SetEnabled(true);
        btnSendData->SetEnabled(true);
        EnableAutoSendBox();
        return;
    }
    if (const auto interval = ParseSendInterval(edtCycleTimer->Text())) {
        tmCycleSend->SetInterval(*interval);
    } else {
        msgAlert->Show(CycleSendSettingWrongMessage);
        tmCycleSend->SetEnabled(false);
    }
    if (!PortOpen(btnCOM)) {
        cbCycleSend->SetChecked(false);
        tmCycleSend->SetEnabled(false);
        edtCycleTimer->SetEnabled(true);
        msgAlert->Show(OpenPortFirst);
        return;
    }
    tmCycleSend->SetEnabled(true);
    edtCycleTimer->SetEnabled(false);
    DisableAutoSend();
    btnSendFile->SetEnabled(false);
    btnSendData->SetEnabled(false);
    CycleIndex = 0;
}

} // namespace pellow
