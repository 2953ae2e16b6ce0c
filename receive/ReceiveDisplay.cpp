// The receive display: received blocks, the RX counter and the receive-area operations.
#include "app/TfrmMain.h"

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
    if (cbAutoClear->Checked() && mmReceive->RowCountExceeds(AutoClearRows))
        ClearReceiveArea();
    // Hex pairs are not made here: the area keeps the bytes and shows them as pairs.
    if (cbHexDisplay->Checked())
        mmReceive->AppendHexBytes(data);
    else
        AppendReceiveText(data);
}

void TfrmMain::AppendReceiveText(std::string_view text) {
    // The area normalises the line breaks of its whole text, in time proportional to the
    // new text (see ReceiveText).
    mmReceive->AppendReceived(text);
}

void TfrmMain::AddReceiveLine(const std::string& line) {
    if (mmReceive->TextSize() == 0 || mmReceive->EndsWithLineBreak())
        mmReceive->AppendBytes(line + std::string(LineBreak));
    else
        mmReceive->AppendBytes(std::string(LineBreak) + line);
}

void TfrmMain::ClearReceiveArea() {
    mmReceive->Clear();
}

} // namespace pellow
