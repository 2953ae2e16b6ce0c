// Manual and automatic sending: the Send button, the send sequence, the interval edit.
#include "app/TfrmMain.h"

namespace pellow {

void TfrmMain::btnSendDataClick() {
    // Sends the send area once.
}

void TfrmMain::btnClearSendClick() {
    // Empties the send area.
}

void TfrmMain::edtTimerKeyPress(char& /*Key*/) {
    // Lets only digits and backspace into the interval edit.
}

void TfrmMain::tmAutoSendTimer() {
    // Sends the send area at each tick.
}

void TfrmMain::TransmitText(const std::string& /*text*/, bool /*hex*/) {
    // The send sequence shared by every sender.
}

void TfrmMain::CheckPortOpen() {
    // Warns when the port is closed.
}

} // namespace pellow
