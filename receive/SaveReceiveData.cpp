// "Save data": the receive area's bytes into a file named after the time of saving.
#include "app/TfrmMain.h"

#include "receive/ReceiveView.h"
#include "receive/SaveFile.h"
#include "receive/SaveFileName.h"
#include "ui/Platform.h"

namespace pellow {

void TfrmMain::btnSaveDataClick() {
    const TLocalTime now = LocalTimeNow();
    const std::string name = SaveFileName(ShortDateText(now), now.Hour, now.Minute, now.Second);
    WriteFileInFirstFolder(SaveFolders(), name, [this](const ByteSink& sink) {
        mmReceive->WriteText(sink);
    });
}

} // namespace pellow
