// Construction of the main window, binding of every event to its handler, and the Qt
// events the window itself receives.
#include "app/TfrmMain.h"

#include "app/AppInfo.h"
#include "app/CounterText.h"
#include "app/Pictures.h"
#include "app/PortList.h"
#include "ui/qt/QtMessageBox.h"
#include "ui/qt/QtNotifyWindow.h"
#include "receive/ReceiveView.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMetaObject>
#include <QScreen>

namespace pellow {

namespace {

TfrmMainServices WithDefaults(TfrmMainServices services) {
    if (!services.ListPorts) {
        services.ListPorts = [] { return ListPortsWithLoopback(); };
    }
    if (!services.NotifyWindows) {
        services.NotifyWindows = QtNotifyWindow::Factory();
    }
    return services;
}

// The stored settings of the serial component when the window is created. Port name,
// rate, byte size, stop bits, parity, DTR and RTS are copied from the window before
// every opening; the others stay for the whole run.
void SetStoredSettings(TComm& com) {
    com.SetCommName("/dev/ttyS0");
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
    : Dispatcher([this](const std::string& message) { msgAlert->ShowError(message); }),
      services_(WithDefaults(std::move(services))) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromLatin1(WindowCaption));
    msgAlert = services_.Messages ? services_.Messages : std::make_shared<TQtMessageBox>(this);
    Com = std::make_unique<TComm>(services_.NotifyWindows);
    SetStoredSettings(*Com);
    imglDesktop.Add(DesktopComputerPicture());
    imglDesktop.Add(SheetWithArrowPicture());

    CreateControls();
    btnClose->SetGlyph(ExitPicture());
    BindEvents();

    resize(693, 502);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
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
    mmSendData->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(mmSendData, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { pmSavetoList->Popup(mmSendData->mapToGlobal(at)); });

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

void TfrmMain::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shown_) {
        return;
    }
    // Start-up may show a message box; it runs once the window is on the screen.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (!shown_) {
                Dispatcher.Run([this] { FormShow(); });
            }
        },
        Qt::QueuedConnection);
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    TCloseAction action = TCloseAction::caFree;
    Dispatcher.Run([this, &action] { FormClose(action); });
    if (action == TCloseAction::caNone) {
        event->ignore();
        return;
    }
    event->accept();
}

void TfrmMain::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Anchored to the right and bottom edges: same distance to the corner at any size.
    btnClose->move(width() - 50, height() - 46);
    btnClose->raise();
}

void TfrmMain::keyPressEvent(QKeyEvent* event) {
    // The Send button is the default button: Enter presses it unless a memo or another
    // button has the focus (those take Enter themselves and never pass it here).
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const QWidget* focus = focusWidget();
    const bool onButton =
        focus && (focus->inherits("QPushButton") || focus->inherits("QToolButton"));
    if (enter && !onButton && btnSendData->isEnabled() && btnSendData->isVisible()) {
        btnSendData->click();
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace pellow
