// File sending: choosing, handing over and the progress ticks.
#include "app/TfrmMain.h"

namespace pellow {

void TfrmMain::btnSelFileClick() {
    // Chooses a file and previews it.
}

void TfrmMain::btnSendFileClick() {
    // Hands the chosen file to the serial component.
}

void TfrmMain::tmSendFileTimer() {
    // One step of the progress display.
}

} // namespace pellow
