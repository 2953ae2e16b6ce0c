// The receive display: received blocks, the RX counter and the receive-area operations.
#include "app/TfrmMain.h"

namespace pellow {

void TfrmMain::ComReceiveData(TComm* /*Sender*/, const char* /*Buffer*/,
                              std::uint16_t /*BufferLength*/) {
    // Counts and shows one received block.
}

void TfrmMain::AppendReceiveText(const std::string& /*text*/) {
    // Appends text to the receive area.
}

void TfrmMain::AddReceiveLine(const std::string& /*line*/) {
    // Adds a line at the end of the receive area.
}

void TfrmMain::ClearReceiveArea() {
    // Empties the receive area.
}

} // namespace pellow
