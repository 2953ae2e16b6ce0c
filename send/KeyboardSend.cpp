// Keyboard sending from the receive area.
#include "app/TfrmMain.h"

namespace pellow {

void TfrmMain::mmReceiveKeyPress(std::string& /*Key*/) {
    // Sends each typed character while the port is open.
}

} // namespace pellow
