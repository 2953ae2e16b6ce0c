#pragma once
// The main window: every control, the serial component, the timers and the state of the
// program. Handlers are spread over the folders of their subsystems:
//   app/       layout, start-up and shutdown, port control, settings, window modes
//   send/      manual, automatic, list, cyclic and keyboard sending
//   receive/   receive display, display switch, file preview, saving
//   filesend/  file sending
//
// GUI thread only. Every event from outside runs through Dispatcher (the general error
// report); handlers call each other directly.

#include "app/IniFile.h"
#include "filesend/SendFilePlan.h"
#include "serial/TComm.h"
#include "ui/TButton.h"
#include "ui/TCheckBox.h"
#include "ui/TComboBox.h"
#include "ui/TDispatcher.h"
#include "ui/TEdit.h"
#include "ui/TExtPanel.h"
#include "ui/TForm.h"
#include "ui/TImageList.h"
#include "ui/TLabel.h"
#include "ui/TMemo.h"
#include "ui/TMenu.h"
#include "ui/TMessageBox.h"
#include "ui/TPanel.h"
#include "ui/TScrollBar.h"
#include "ui/TShape.h"
#include "ui/TTimer.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace pellow {

class ReceiveView;

// What the window takes from its surroundings; tests replace each of them.
struct TfrmMainServices {
    // The serial devices the system knows, as full paths. Default: the system's list.
    std::function<std::vector<std::string>()> ListPorts;
    // The folder of "Tarvik.ini". Empty: chosen at first show (beside the executable, or
    // the user's configuration folder when that cannot be written).
    std::filesystem::path SettingsFolder;
    // Warnings and the general error report. Default: the toolkit's modal message boxes.
    std::shared_ptr<TMessageBox> Messages;
    // The serial component's notification window. Default: the toolkit's.
    TNotifyWindowFactory NotifyWindows;
};

class TfrmMain : public TForm {
public:
    static constexpr int SendListSize = 20;
    static constexpr int PreviewSize = 4096;

    explicit TfrmMain(TfrmMainServices services = {});
    ~TfrmMain() override;

    TfrmMain(const TfrmMain&) = delete;
    TfrmMain& operator=(const TfrmMain&) = delete;

    // ---- Components --------------------------------------------------------------
    TDispatcher Dispatcher;
    std::shared_ptr<TMessageBox> msgAlert;
    std::unique_ptr<TComm> Com;
    std::unique_ptr<TTimer> tmAutoSend;
    std::unique_ptr<TTimer> tmCycleSend;
    std::unique_ptr<TTimer> tmSendFile;
    TImageList imglDesktop;

    // ---- Controls (owned by the window) ------------------------------------------
    // Status bar.
    TPanel* sbMain;
    TSpeedButton* btnDesktop;
    TButton* btnList;
    TPanel* pnStatus;
    TPanel* pnReceiveCount;
    TLabel* Label4;
    TLabel* lbRX;
    TPanel* pnTX;
    TLabel* Label5;
    TLabel* lbTX;
    TButton* btnCounterReset;

    // Bottom: port panel, send area, send options, file sending.
    TPanel* pnBottom;
    TPanel* pnCOM;
    TLabel* bsSkinStdLabel1;
    TLabel* bsSkinStdLabel2;
    TLabel* bsSkinStdLabel3;
    TLabel* bsSkinStdLabel4;
    TLabel* bsSkinStdLabel5;
    TComboBox* cbCOM;
    TComboBox* cbBPS;
    TComboBox* cbByteSize;
    TComboBox* cbStopBits;
    TComboBox* cbParity;
    TShape* shCOM;
    TShape* shComIn;
    TButton* btnCOM;
    TCheckBox* cbDTR;
    TCheckBox* cbRTS;

    TPanel* pnSendData;
    TPanel* pnSendFile;
    TButton* btnSelFile;
    TFileNameEdit* feFileName;
    TButton* btnSendFile;
    TPanel* bsSkinPanel1;
    TButton* btnClearSend;
    TCheckBox* cbAutoSend;
    TLabel* bsSkinLabel3;
    TEdit* edtTimer;
    TCheckBox* cbSendHex;
    TCheckBox* cbNewLine;
    TButton* btnSendData;
    TGroupBox* sgSendData;
    TScrollBar* sssbSendData;
    TMemo* mmSendData;
    std::unique_ptr<TPopupMenu> pmSavetoList;
    TMenuItem* N1;

    // Send list and receive area.
    TPanel* pnSend;
    TPanel* pnSendList;
    TPanel* pnCycleSend;
    TCheckBox* cbCycleSend;
    TEdit* edtCycleTimer;
    TExtPanel* epSendList;
    TPanel* pnTitle;
    TLabel* Hex;
    TLabel* bsSkinLabel1;
    TLabel* bsSkinLabel2;
    TScrollBox* pnListData;
    // Entry n of the send list (n = 1 … 20) is cbEntry[n], edtEntry[n], btnEntry[n] and
    // piEntry[n], the controls named cbn, edtn, btnn and pin; index 0 is unused.
    std::array<TCheckBox*, SendListSize + 1> cbEntry{};
    std::array<TEdit*, SendListSize + 1> edtEntry{};
    std::array<TButton*, SendListSize + 1> btnEntry{};
    std::array<TMenuItem*, SendListSize + 1> piEntry{};

    TGroupBox* gbReceiveData;
    TPanel* pnReceiveSet;
    TCheckBox* cbAutoClear;
    TCheckBox* cbHexDisplay;
    TButton* btnClearReceive;
    TButton* btnStopDisplay;
    TButton* btnSaveData;
    TScrollBar* ssbReceive;
    ReceiveView* mmReceive;

    TSpeedButton* btnClose;

    // ---- State -------------------------------------------------------------------
    std::unique_ptr<TIniFile> SettingsFile;
    std::unique_ptr<TPicture> DesktopGlyph;
    // True while the receive area holds a file preview.
    bool PreviewShown = false;
    // The entry cyclic sending sent last; 0 for none yet.
    int CycleIndex = 0;
    // Progress of a file sending, valid while tmSendFile runs.
    std::int32_t SendTickInterval = 0;
    std::int32_t SendTicksLeft = 0;
    std::int32_t SendTxEnd = 0;
    // The line's time the ticks follow, and when the file was handed over.
    TSendFilePace SendPace;
    std::chrono::steady_clock::time_point SendStarted;
    // The start of the previewed file.
    std::array<char, PreviewSize> PreviewBuffer{};
    // True while a message box raised by a timed-send tick is open, so that ticks coming
    // meanwhile do not stack further boxes.
    bool TickMessageShowing = false;

    // ---- Handlers: start-up, shutdown, port control, window modes (app/) ----------
    void FormCreate();
    void FormShow();
    void FormClose(TCloseAction& Action);
    void btnCloseClick();
    void btnCOMClick();
    void cbCOMDropDown();
    void cbBPSChange();
    void cbByteSizeChange();
    void cbStopBitsChange();
    void cbParityChange();
    void btnDesktopClick();
    void btnListClick();
    void epSendListClose();
    void btnCounterResetClick();
    void ComRequestHangup(TComm* Sender);

    // ---- Handlers: manual and automatic sending (send/ManualSend.cpp) -------------
    void btnSendDataClick();
    void btnClearSendClick();
    void cbAutoSendClick();
    void edtTimerKeyPress(char& Key);
    void tmAutoSendTimer();

    // ---- Handlers: send list and cyclic sending (send/SendList.cpp) ---------------
    void btnNClick(int N);  // btn1Click … btn20Click
    void cbNClick(int N);   // cb1Click … cb20Click
    void edtNChange(int N); // edt1Change … edt20Change
    void piNClick(int N);   // pi1Click … pi20Click
    void cbCycleSendClick();
    void edtCycleTimerChange();
    void edtCycleTimerKeyPress(char& Key);
    void tmCycleSendTimer();
    void pmSavetoListPopup();

    // ---- Handlers: keyboard sending (send/KeyboardSend.cpp) -----------------------
    // Key holds the typed character's bytes.
    void mmReceiveKeyPress(std::string& Key);

    // ---- Handlers: receive display (receive/) -------------------------------------
    void ComReceiveData(TComm* Sender, const char* Buffer, std::uint16_t BufferLength);
    void btnClearReceiveClick();
    void btnStopDisplayClick();
    void btnSaveDataClick();
    void cbHexDisplayClick();

    // ---- Handlers: file sending (filesend/FileSend.cpp) ---------------------------
    void btnSelFileClick();
    void btnSendFileClick();
    void tmSendFileTimer();

    // ---- Operations ----------------------------------------------------------------
    // Sending (send/).
    void TransmitText(const std::string& text, bool hex);
    void CheckPortOpen();
    void SendListEntry(int N);
    void EnableTimedSendBoxes();
    void DisableAutoSend();
    void EnableAutoSendBox();
    // Receive area (receive/).
    void AppendReceiveText(std::string_view text);
    void AddReceiveLine(const std::string& line);
    void ClearReceiveArea();
    void ShowFilePreview(const std::string& fileName, bool withSuggestion);
    // Port panel (app/).
    void ApplyPortSettings();
    void EnablePortControls();
    void DisablePortControls();
    // Settings (app/).
    void LoadSettings();
    void SaveSendList();
    void SaveSendListEntry(int n);

    // Adds n to a counter label (lbRX, lbTX): reads its caption as a 32-bit signed
    // number, which wraps past its largest value. Raises when the caption is no number.
    static void AddToCounter(TLabel* counter, std::int64_t n);
    // The folder "Tarvik.ini" lives in (set at first show).
    const std::filesystem::path& SettingsFolder() const { return settingsFolder_; }

private:
    void CreateControls();
    void BindEvents();
    // Copies the selections into Com and opens it; false when Com refused (ECommsError).
    bool OpenWithSelections(const char* openedStateWord);
    void ShowPortOpened(const char* stateWord);
    void ShowPortClosed(const char* stateWord);
    void ClosePortFromWindow();
    std::string StatusText(const char* stateWord) const;

    TfrmMainServices services_;
    std::filesystem::path settingsFolder_;
    bool shown_ = false;
};

} // namespace pellow
