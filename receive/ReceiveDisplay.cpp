// The receive display: received blocks, the RX counter and the receive-area operations.
#include "app/TfrmMain.h"

#include "receive/HexDisplay.h"
#include "receive/LineBreaks.h"
#include "receive/ReceiveView.h"

namespace pellow {

namespace {

// The caption of btnStopDisplay while received data is shown.
constexpr const char* DisplayOnCaption = "Stop display";
// More display rows than this clear the area before the next block when "Auto clear" is on.
constexpr int AutoClearRows = 50;

} // namespace

void TfrmMain::ComReceiveData(TComm* /*Sender*/, const char* Buffer, std::uint16_t BufferLength) {
    if (BufferLength == 0)
        return;
    // The bytes belong to the serial component and live only during this call.
    const std::string_view data(Buffer, BufferLength);
    AddToCounter(lbRX, static_cast<std::int64_t>(data.size()));
    if (PreviewShown) {
        PreviewShown = false;
        ClearReceiveArea();
    }
    if (btnStopDisplay->Caption() != DisplayOnCaption)
        return;
    if (cbAutoClear->Checked() && mmReceive->RowCount() > AutoClearRows)
        ClearReceiveArea();
    if (cbHexDisplay->Checked())
        AppendReceiveText(BytesToHexText(data));
    else
        AppendReceiveText(data);
}

void TfrmMain::AppendReceiveText(std::string_view text) {
    // The area's text is normalised as a whole. When it already is (the usual case: it
    // holds only what earlier appends produced), normalising the new text alone gives the
    // same result and keeps each block's cost independent of what is already shown.
    if (mmReceive->HasLoneLineBreak()) {
        std::string whole(mmReceive->Bytes());
        whole += text;
        whole = NormaliseLineBreaks(whole);
        if (whole != mmReceive->Bytes())
            mmReceive->SetBytes(whole);
        return;
    }
    if (!text.empty())
        mmReceive->AppendBytes(NormaliseLineBreaks(text));
}

void TfrmMain::AddReceiveLine(const std::string& line) {
    const std::string_view shown = mmReceive->Bytes();
    if (shown.empty() || shown.ends_with(LineBreak))
        mmReceive->AppendBytes(line + std::string(LineBreak));
    else
        mmReceive->AppendBytes(std::string(LineBreak) + line);
}

void TfrmMain::ClearReceiveArea() {
    mmReceive->Clear();
}

} // namespace pellow
