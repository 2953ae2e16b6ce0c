// The send list and cyclic sending.
#include "app/TfrmMain.h"
#include "send/CycleSearch.h"
#include "send/TickGuard.h"
#include "send/TransmitFailed.h"

namespace pellow {

void TfrmMain::btnNClick(int N) {
    SendListEntry(N);
}

void TfrmMain::cbNClick(int N) {
    SaveSendListEntry(N);
}

void TfrmMain::edtNChange(int N) {
    SaveSendListEntry(N);
}

void TfrmMain::piNClick(int N) {
    edtEntry[N]->SetText(mmSendData->Text());
}

void TfrmMain::edtCycleTimerChange() {
    if (tmAutoSend->Enabled())
        tmAutoSend->SetEnabled(false);
}

void TfrmMain::edtCycleTimerKeyPress(char& Key) {
    edtTimerKeyPress(Key);
}

void TfrmMain::tmCycleSendTimer() {
    const TickGuard tick(TickMessageShowing);
    if (!tick.Entered())
        return;
    // With every entry empty there is nothing to send; cyclic sending stays on so that
    // an entry filled in meanwhile is picked up by a later tick.
    const int next =
        NextCycleEntry(CycleIndex, [this](int entry) { return edtEntry[entry]->Text().empty(); });
    if (next == 0)
        return;
    CycleIndex = next;
    SendListEntry(CycleIndex);
}

void TfrmMain::pmSavetoListPopup() {
    // The memo copies only a selection; without one the clipboard keeps what it held.
    mmSendData->CopyToClipboard();
}

void TfrmMain::SendListEntry(int N) {
    CheckPortOpen();
    const bool hex = cbEntry[N]->Checked();
    const std::string text = edtEntry[N]->Text();
    cbSendHex->SetChecked(hex);
    mmSendData->SetText(text);
    try {
        TransmitText(text, hex);
    } catch (const ETransmitFailed&) {
        EnableAutoSendBox();
        btnSendFile->SetEnabled(true);
        btnSendData->SetEnabled(true);
    }
}

} // namespace pellow
