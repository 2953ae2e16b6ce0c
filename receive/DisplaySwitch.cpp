// The display switch, clearing and the hex switch of the receive area.
#include "app/TfrmMain.h"

#include "receive/FileStart.h"
#include "receive/ReceiveView.h"

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
        if (IsExistingFile(fileName))
            ShowFilePreview(fileName, false);
        return;
    }
    // The area relabels what it holds rather than rewriting it; a piece that is not hex
    // leaves it as it was.
    if (cbHexDisplay->Checked())
        mmReceive->ShowAsHex();
    else
        mmReceive->ShowAsText();
}

} // namespace pellow
