// Construction of the main window and binding of every event to its handler.
#include "app/TfrmMain.h"

#include "app/AppInfo.h"
#include "app/CounterText.h"
#include "app/Pictures.h"
#include "app/PortList.h"
#include "receive/ReceiveView.h"
#include "ui/Toolkit.h"

namespace pellow {

namespace {

TfrmMainServices WithDefaults(TfrmMainServices services) {
    if (!services.ListPorts) {
        services.ListPorts = [] { return ListPortsWithLoopback(); };
    }
    if (!services.NotifyWindows) {
        services.NotifyWindows = NotifyWindowFactory();
    }
    return services;
}

// The stored settings of the serial component when the window is created. Port name,
// rate, byte size, stop bits, parity, DTR and RTS are copied from the window before
// every opening; the others stay for the whole run.
void SetStoredSettings(TComm& com) {
    com.SetCommName(FirstPortNames().front());
    com.SetBaudRate(1200);
    com.SetParityCheck(false);
    com.SetOutx_CtsFlow(false);
    com.SetOutx_DsrFlow(false);
    com.SetDtrControl(TDtrControl::DtrEnable);
    com.SetDsrSensitivity(false);
    com.SetTxContinueOnXoff(true);
    com.SetOutx_XonXoffFlow(false);
    com.SetInx_XonXoffFlow(false);
    com.SetReplaceWhenParityError(false);
    com.SetIgnoreNullChar(false);
    com.SetRtsControl(TRtsControl::RtsEnable);
    com.SetXonLimit(500);
    com.SetXoffLimit(500);
    com.SetByteSize(TByteSize::_8);
    com.SetParity(TParity::None);
    com.SetStopBits(TStopBits::_1);
    com.SetXonChar(17);
    com.SetXoffChar(19);
    com.SetReplacedChar(0);
    com.SetReadIntervalTimeout(100);
    com.SetReadTotalTimeoutMultiplier(0);
    com.SetReadTotalTimeoutConstant(0);
    com.SetWriteTotalTimeoutMultiplier(0);
    com.SetWriteTotalTimeoutConstant(0);
}

} // namespace

TfrmMain::TfrmMain(TfrmMainServices services)
    : TForm(&Dispatcher),
      Dispatcher([this](const std::string& message) { msgAlert->ShowError(message); }),
      services_(WithDefaults(std::move(services))) {
    SetName("frmMain");
    SetCaption(WindowCaption);
    msgAlert = services_.Messages ? services_.Messages : NewMessageBox(Peer());
    Com = std::make_unique<TComm>(services_.NotifyWindows);
    SetStoredSettings(*Com);
    imglDesktop.Add(DesktopComputerPicture());
    imglDesktop.Add(SheetWithArrowPicture());

    CreateControls();
    btnClose->SetGlyph(ExitPicture());
    BindEvents();
    FormCreate();
}

TfrmMain::~TfrmMain() {
    // The workers must stop while everything they report to still exists.
    if (Com) {
        Com->ClosePort();
        Com.reset();
    }
}

void TfrmMain::BindEvents() {
    const auto bind = [](auto& event, auto handler) { event = handler; };
    bind(btnClose->OnClick, [this] { btnCloseClick(); });
    bind(btnCOM->OnClick, [this] { btnCOMClick(); });
    bind(cbCOM->OnDropDown, [this] { cbCOMDropDown(); });
    bind(cbBPS->OnChange, [this] { cbBPSChange(); });
    bind(cbByteSize->OnChange, [this] { cbByteSizeChange(); });
    bind(cbStopBits->OnChange, [this] { cbStopBitsChange(); });
    bind(cbParity->OnChange, [this] { cbParityChange(); });
    bind(btnDesktop->OnClick, [this] { btnDesktopClick(); });
    bind(btnList->OnClick, [this] { btnListClick(); });
    bind(epSendList->OnClose, [this] { epSendListClose(); });
    bind(btnCounterReset->OnClick, [this] { btnCounterResetClick(); });

    bind(btnSendData->OnClick, [this] { btnSendDataClick(); });
    bind(btnClearSend->OnClick, [this] { btnClearSendClick(); });
    bind(cbAutoSend->OnClick, [this] { cbAutoSendClick(); });
    bind(edtTimer->OnKeyPress, [this](char& key) { edtTimerKeyPress(key); });
    bind(tmAutoSend->OnTimer, [this] { tmAutoSendTimer(); });

    for (int n = 1; n <= SendListSize; ++n) {
        bind(btnEntry[n]->OnClick, [this, n] { btnNClick(n); });
        bind(cbEntry[n]->OnClick, [this, n] { cbNClick(n); });
        bind(edtEntry[n]->OnChange, [this, n] { edtNChange(n); });
        bind(piEntry[n]->OnClick, [this, n] { piNClick(n); });
    }
    bind(cbCycleSend->OnClick, [this] { cbCycleSendClick(); });
    bind(edtCycleTimer->OnChange, [this] { edtCycleTimerChange(); });
    bind(edtCycleTimer->OnKeyPress, [this](char& key) { edtCycleTimerKeyPress(key); });
    bind(tmCycleSend->OnTimer, [this] { tmCycleSendTimer(); });
    bind(pmSavetoList->OnPopup, [this] { pmSavetoListPopup(); });
    mmSendData->SetPopupMenu(pmSavetoList.get());

    mmReceive->OnKeyPress = [this](std::string& key) {
        Dispatcher.Run([this, &key] { mmReceiveKeyPress(key); });
    };

    bind(btnClearReceive->OnClick, [this] { btnClearReceiveClick(); });
    bind(btnStopDisplay->OnClick, [this] { btnStopDisplayClick(); });
    bind(btnSaveData->OnClick, [this] { btnSaveDataClick(); });
    bind(cbHexDisplay->OnClick, [this] { cbHexDisplayClick(); });

    bind(btnSelFile->OnClick, [this] { btnSelFileClick(); });
    bind(btnSendFile->OnClick, [this] { btnSendFileClick(); });
    bind(tmSendFile->OnTimer, [this] { tmSendFileTimer(); });

    bind(OnShow, [this] {
        if (!shown_)
            FormShow();
    });
    bind(OnClose, [this](TCloseAction& action) { FormClose(action); });

    Com->OnReceiveData = [this](TComm* sender, const char* buffer, std::uint16_t length) {
        Dispatcher.Run([&] { ComReceiveData(sender, buffer, length); });
    };
    Com->OnRequestHangup = [this](TComm* sender) {
        Dispatcher.Run([&] { ComRequestHangup(sender); });
    };
}

void TfrmMain::AddToCounter(TLabel* counter, std::int64_t n) {
    counter->SetCaption(AddToCounterText(counter->Caption(), n));
}

} // namespace pellow
