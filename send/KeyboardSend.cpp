// Keyboard sending from the receive area.
#include "app/TfrmMain.h"
#include "send/SendMessages.h"
#include "send/SendPieces.h"

namespace pellow {

void TfrmMain::mmReceiveKeyPress(std::string& Key) {
    if (btnCOM->Caption() != "CLOSE" || Key.empty())
        return;
    // A character beyond ASCII goes over as all of its bytes in the locale's codec, so the
    // far end receives the character and not a fragment of it.
    try {
        SendInPieces(Key, [this](const char* bytes, std::uint16_t length) {
            return Com->SendBytes(bytes, length);
        });
        AddToCounter(lbTX, static_cast<std::int64_t>(Key.size()));
        mmSendData->Append(Key);
    } catch (const std::exception&) {
        msgAlert->Show(SendErrorMessage);
    }
}

} // namespace pellow
