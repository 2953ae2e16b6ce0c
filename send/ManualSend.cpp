// Manual and automatic sending: the Send button, the send sequence, the interval edit.
#include "app/TfrmMain.h"
#include "send/HexText.h"
#include "send/SendData.h"
#include "send/SendInterval.h"
#include "send/SendMessages.h"
#include "send/SendPieces.h"
#include "send/TickGuard.h"
#include "send/TransmitFailed.h"

#include <optional>

namespace pellow {

void TfrmMain::btnSendDataClick() {
    CheckPortOpen();
    try {
        TransmitText(mmSendData->Text(), cbSendHex->Checked());
    } catch (const ETransmitFailed&) {
        // The Send button has nothing to restore.
    }
}

void TfrmMain::btnClearSendClick() {
    mmSendData->Clear();
    mmSendData->SetFocus();
}

void TfrmMain::edtTimerKeyPress(char& Key) {
    if (!IsIntervalKey(Key))
        Key = 0;
}

void TfrmMain::tmAutoSendTimer() {
    const TickGuard tick(TickMessageShowing);
    if (!tick.Entered())
        return;
    try {
        TransmitText(mmSendData->Text(), cbSendHex->Checked());
    } catch (const ETransmitFailed&) {
        btnSendFile->SetEnabled(true);
        btnSendData->SetEnabled(true);
        cbCycleSend->SetEnabled(true);
        cbAutoSend->SetChecked(false);
    }
}

void TfrmMain::TransmitText(const std::string& text, bool hex) {
    try {
        const std::optional<std::string> data = PrepareSendData(text, hex, cbNewLine->Checked());
        if (!data) {
            msgAlert->Show(HexNotHexMessage);
            return;
        }
        // Whether the component took the data is not looked at: the counter counts what
        // was handed over, and a closed port refuses silently.
        SendInPieces(*data, [this](const char* piece, std::uint16_t length) {
            return Com->SendBytes(piece, length);
        });
        AddToCounter(lbTX, static_cast<std::int64_t>(data->size()));
    } catch (const std::exception&) {
        msgAlert->Show(SendErrorMessage);
        throw ETransmitFailed();
    }
}

void TfrmMain::CheckPortOpen() {
    if (btnCOM->Caption() != "CLOSE")
        msgAlert->Show(OpenPortFirstMessage);
}

} // namespace pellow
