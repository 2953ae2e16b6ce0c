// The send list and cyclic sending.
#include "app/TfrmMain.h"

namespace pellow {

void TfrmMain::btnNClick(int /*N*/) {
    // Sends entry N.
}

void TfrmMain::cbNClick(int /*N*/) {
    // Saves entry N after its HEX box changed.
}

void TfrmMain::edtNChange(int /*N*/) {
    // Saves entry N after its text changed.
}

void TfrmMain::piNClick(int /*N*/) {
    // Copies the send area into entry N.
}

void TfrmMain::edtCycleTimerChange() {
    // Stops the automatic-send timer.
}

void TfrmMain::edtCycleTimerKeyPress(char& /*Key*/) {
    // Lets only digits and backspace into the cyclic interval edit.
}

void TfrmMain::tmCycleSendTimer() {
    // Sends the next non-empty entry.
}

void TfrmMain::pmSavetoListPopup() {
    // Copies the send area's selection to the clipboard.
}

void TfrmMain::SendListEntry(int /*N*/) {
    // Shows entry N in the send area and sends it.
}

} // namespace pellow
