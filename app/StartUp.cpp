// Start-up at the first showing of the window, and shutdown.
#include "app/AppInfo.h"
#include "app/PortStatusText.h"
#include "app/SettingsFolder.h"
#include "app/TfrmMain.h"
#include "receive/ReceiveView.h"
#include "ui/Platform.h"

namespace pellow {

void TfrmMain::FormCreate() {
    // Creation only sets up the controls; the program starts at the first show.
}

void TfrmMain::FormShow() {
    shown_ = true;
    mmReceive->SetHint("You can send the key assignments direct through \r"
                       "pressing the key in this area.");
    mmReceive->SetShowHint(true);
    PreviewShown = false;

    DesktopGlyph = std::make_unique<TPicture>();
    imglDesktop.GetBitmap(1, *DesktopGlyph);
    btnDesktop->SetGlyph(*DesktopGlyph);

    cbAutoSend->SetChecked(false);
    tmAutoSend->SetEnabled(false);
    cbCycleSend->SetChecked(false);
    tmCycleSend->SetEnabled(false);

    settingsFolder_ = services_.SettingsFolder;
    if (settingsFolder_.empty()) {
        const SettingsFolderQuery query{ExecutableFolder(), UserConfigFolder(), IsWritable};
        settingsFolder_ = ChooseSettingsFolder(query);
        if (settingsFolder_ != query.ExecutableFolder) {
            PrepareUserSettingsFolder(query.ExecutableFolder, settingsFolder_);
        }
    }
    SettingsFile = std::make_unique<TIniFile>(settingsFolder_ / SettingsFileName);
    SettingsFile->RemoveAbandonedTemporaries();
    // A settings file that cannot be written has nothing to do with the port: its error is
    // reported, and start-up goes on to list and open the port with what was loaded.
    Dispatcher.Run([this] { LoadSettings(); });

    cbCOM->SetItems(services_.ListPorts());
    if (!cbCOM->Items().empty()) {
        cbCOM->SetItemIndex(0);
    }

    if (!OpenWithSelections(StateOpenedAtStartup)) {
        msgAlert->Show("Open " + cbCOM->Text() + "faild, the serial port is not available!");
        ShowPortClosed(StateClosedAtStartup);
    }
}

void TfrmMain::FormClose(TCloseAction& /*Action*/) {
    // Nothing is saved here: every setting was written when it changed. The port is closed
    // so that both workers end before the serial component goes away.
    tmAutoSend->SetEnabled(false);
    tmCycleSend->SetEnabled(false);
    tmSendFile->SetEnabled(false);
    Com->ClosePort();
    DesktopGlyph.reset();
    SettingsFile.reset();
}

void TfrmMain::btnCloseClick() {
    Close();
}

} // namespace pellow
