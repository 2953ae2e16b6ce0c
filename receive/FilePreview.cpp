// The start of a file shown in the receive area.
#include "app/TfrmMain.h"

#include "receive/FilePreviewText.h"
#include "receive/FileStart.h"

#include <algorithm>

namespace pellow {

void TfrmMain::ShowFilePreview(const std::string& fileName, bool withSuggestion) {
    // Read before anything changes: a file that cannot be read leaves the area as it was.
    const TFileStart start = ReadFileStart(fileName, PreviewBuffer.size());
    std::fill(std::copy(start.bytes.begin(), start.bytes.end(), PreviewBuffer.begin()),
              PreviewBuffer.end(), '\0');
    ClearReceiveArea();
    AddReceiveLine(PreviewDataLine(start.bytes, cbHexDisplay->Checked()));
    AddReceiveLine(PreviewSizeLine(start.size));
    if (withSuggestion)
        AddReceiveLine(std::string(PreviewSuggestionLine));
    PreviewShown = true;
}

} // namespace pellow
