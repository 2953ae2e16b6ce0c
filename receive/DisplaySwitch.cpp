// The display switch, clearing and the hex switch of the receive area.
#include "app/TfrmMain.h"

#include "receive/HexDisplay.h"
#include "send/SendData.h"
#include "receive/ReceiveView.h"

#include <filesystem>

namespace pellow {

void TfrmMain::btnClearReceiveClick() {
    ClearReceiveArea();
}

void TfrmMain::btnStopDisplayClick() {
    if (btnStopDisplay->Caption() != "Stop display")
        btnStopDisplay->SetCaption("Stop display");
    else
        btnStopDisplay->SetCaption("Continue display");
}

void TfrmMain::cbHexDisplayClick() {
    if (PreviewShown) {
        // The preview is read again from the file rather than converted from the screen.
        const std::string fileName = feFileName->Text();
        std::error_code error;
        if (!fileName.empty() && std::filesystem::exists(fileName, error))
            ShowFilePreview(fileName, false);
        return;
    }
    const std::string_view shown = mmReceive->Bytes();
    if (cbHexDisplay->Checked()) {
        std::string hex = BytesToHexText(shown);
        ClearReceiveArea();
        mmReceive->SetBytes(hex);
    } else {
        // Converted first: a piece that is not hex leaves the area as it was.
        const std::string bytes = HexDisplayToBytes(shown);
        ClearReceiveArea();
        AddReceiveLine(std::string(TrimControlBytes(bytes)));
    }
}

} // namespace pellow
