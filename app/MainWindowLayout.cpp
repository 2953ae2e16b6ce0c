// The controls of the main window: names, kinds, captions, items, places and sizes (at
// 96 dpi) and docking. Panels that fill take what their docked siblings leave; the Exit
// button keeps its distance to the bottom-right corner.
#include "app/PortList.h"
#include "app/TfrmMain.h"
#include "receive/ReceiveView.h"

namespace pellow {

namespace {

template <class T> T* Named(T* control, const char* name) {
    control->SetName(name);
    return control;
}

template <class T>
T* Placed(T* control, const char* name, int left, int top, int width, int height) {
    control->SetBounds({left, top, width, height});
    return Named(control, name);
}

template <class T>
T* Docked(T* control, const char* name, TAlign align, int left, int top, int width, int height) {
    control->SetAlign(align);
    return Placed(control, name, left, top, width, height);
}

const TFont MemoFont{"宋体", 13, clBlack};

constexpr int EntryTop(int n) {
    return n == 1 ? 4 : 26 + 23 * (n - 2);
}

} // namespace

void TfrmMain::CreateControls() {
    using TStyle = TComboBox::TStyle;
    using enum TAlign;

    SetClientSize(693, 502);
    // The status-bar tools and the bottom panel stay whole.
    SetMinClientSize(598, 293);

    // Docked from the bottom up, then the filling panel.
    pnSend = Docked(Make<TPanel>(*this), "pnSend", alClient, 0, 0, 693, 328);
    pnBottom = Docked(Make<TPanel>(*this), "pnBottom", alBottom, 0, 328, 693, 153);
    sbMain = Docked(Make<TPanel>(*this), "sbMain", alBottom, 0, 481, 693, 21);

    // ---- Status bar: its tools docked from the left, the rest of the bar empty ----
    btnDesktop = Docked(Make<TSpeedButton>(*sbMain), "btnDesktop", alLeft, 0, 0, 21, 21);
    btnDesktop->SetHint("Normal window");
    btnDesktop->SetShowHint(true);
    btnList = Docked(Make<TButton>(*sbMain, "Extent"), "btnList", alLeft, 21, 0, 62, 21);
    pnStatus =
        Docked(Make<TPanel>(*sbMain, TBevel::Lowered), "pnStatus", alLeft, 83, 0, 276, 21);
    pnReceiveCount = Docked(Make<TPanel>(*sbMain, TBevel::Lowered), "pnReceiveCount", alLeft, 359,
                            0, 81, 21);
    Label4 = Placed(Make<TLabel>(*pnReceiveCount, "RX:"), "Label4", 4, 4, 20, 13);
    lbRX = Placed(Make<TLabel>(*pnReceiveCount, "0"), "lbRX", 24, 4, 54, 13);
    pnTX = Docked(Make<TPanel>(*sbMain, TBevel::Lowered), "pnTX", alLeft, 440, 0, 84, 21);
    Label5 = Placed(Make<TLabel>(*pnTX, "TX:"), "Label5", 4, 4, 21, 13);
    lbTX = Placed(Make<TLabel>(*pnTX, "0"), "lbTX", 26, 4, 54, 13);
    btnCounterReset = Docked(Make<TButton>(*sbMain, "CounterRESET"), "btnCounterReset", alLeft,
                             524, 0, 74, 21);

    // ---- Port panel ----
    pnCOM = Docked(Make<TPanel>(*pnBottom, TBevel::Raised), "pnCOM", alLeft, 0, 0, 138, 153);
    bsSkinStdLabel1 =
        Placed(Make<TLabel>(*pnCOM, "Serial port："), "bsSkinStdLabel1", 4, 5, 58, 18);
    bsSkinStdLabel2 = Placed(Make<TLabel>(*pnCOM, "Bandrate："), "bsSkinStdLabel2", 4, 25, 53, 18);
    bsSkinStdLabel3 = Placed(Make<TLabel>(*pnCOM, "Bytesize："), "bsSkinStdLabel3", 4, 46, 50, 18);
    bsSkinStdLabel4 = Placed(Make<TLabel>(*pnCOM, "Stopbits："), "bsSkinStdLabel4", 4, 67, 48, 18);
    bsSkinStdLabel5 = Placed(Make<TLabel>(*pnCOM, "Parity："), "bsSkinStdLabel5", 4, 88, 48, 18);
    cbCOM = Placed(Make<TComboBox>(*pnCOM, TStyle::DropDown, true), "cbCOM", 64, 3, 66, 20);
    cbCOM->SetItems(FirstPortNames());
    cbCOM->SetItemIndex(0);
    cbBPS = Placed(Make<TComboBox>(*pnCOM, TStyle::DropDownList), "cbBPS", 64, 24, 66, 20);
    cbBPS->SetItems({"300", "600", "1200", "2400", "4800", "9600", "19200", "38400", "43000",
                     "56000", "57600", "115200"});
    cbBPS->SetItemIndex(5);
    cbByteSize =
        Placed(Make<TComboBox>(*pnCOM, TStyle::DropDownList), "cbByteSize", 64, 45, 66, 20);
    cbByteSize->SetItems({"5", "6", "7", "8"});
    cbByteSize->SetItemIndex(3);
    cbStopBits =
        Placed(Make<TComboBox>(*pnCOM, TStyle::DropDownList), "cbStopBits", 64, 66, 66, 20);
    cbStopBits->SetItems({"1", "1.5", "2"});
    cbStopBits->SetItemIndex(0);
    cbParity = Placed(Make<TComboBox>(*pnCOM, TStyle::DropDownList), "cbParity", 64, 87, 66, 20);
    cbParity->SetItems({"None", "Even", "Mark", "Odd", "Space"});
    cbParity->SetItemIndex(0);
    shCOM = Placed(Make<TShape>(*pnCOM, false), "shCOM", 20, 111, 18, 18);
    shCOM->SetPenColor(TColor{0, 0, 0});
    shComIn = Placed(Make<TShape>(*pnCOM, true), "shComIn", 22, 114, 15, 12);
    shComIn->SetBrushColor(TColor{128, 128, 128});
    btnCOM = Placed(Make<TButton>(*pnCOM, "CLOSE"), "btnCOM", 64, 110, 56, 21);
    cbDTR = Placed(Make<TCheckBox>(*pnCOM, "DTR"), "cbDTR", 13, 131, 57, 21);
    cbDTR->SetChecked(true);
    cbRTS = Placed(Make<TCheckBox>(*pnCOM, "RTS"), "cbRTS", 77, 131, 57, 21);
    cbRTS->SetChecked(true);

    // ---- Send data: the send area, its options at the right, file sending below ----
    pnSendData = Docked(Make<TPanel>(*pnBottom), "pnSendData", alClient, 138, 0, 555, 153);

    sgSendData = Docked(Make<TGroupBox>(*pnSendData, "The data to be send"), "sgSendData",
                        alClient, 0, 0, 444, 128);
    sgSendData->SetPadding({2, 0, 2, 2});
    mmSendData = Docked(Make<TMemo>(*sgSendData), "mmSendData", alClient, 0, 0, 0, 0);
    mmSendData->SetFont(MemoFont);
    sssbSendData = Docked(Make<TScrollBar>(*sgSendData), "sssbSendData", alRight, 0, 0, 19, 0);
    mmSendData->SetScrollBar(sssbSendData);

    bsSkinPanel1 =
        Docked(Make<TPanel>(*pnSendData), "bsSkinPanel1", alRight, 444, 0, 111, 128);
    btnClearSend =
        Placed(Make<TButton>(*bsSkinPanel1, "Refill data"), "btnClearSend", 15, 4, 75, 22);
    cbAutoSend = Placed(Make<TCheckBox>(*bsSkinPanel1, "Auto send"), "cbAutoSend", 3, 27, 90, 18);
    bsSkinLabel3 = Placed(Make<TLabel>(*bsSkinPanel1, "Interval                 ms"),
                          "bsSkinLabel3", 2, 44, 109, 18);
    edtTimer = Placed(Make<TEdit>(*bsSkinPanel1, "1000"), "edtTimer", 45, 44, 44, 19);
    cbSendHex = Placed(Make<TCheckBox>(*bsSkinPanel1, "Send in HEX"), "cbSendHex", 3, 61, 92, 18);
    cbNewLine = Placed(Make<TCheckBox>(*bsSkinPanel1, "Send newline"), "cbNewLine", 3, 79, 97, 18);
    btnSendData = Placed(Make<TButton>(*bsSkinPanel1, "Send"), "btnSendData", 15, 97, 75, 22);
    btnSendData->SetDefault(true);

    pnSendFile = Docked(Make<TPanel>(*pnSendData), "pnSendFile", alBottom, 0, 128, 555, 25);
    btnSelFile = Placed(Make<TButton>(*pnSendFile, "Select file"), "btnSelFile", 4, 2, 67, 21);
    feFileName = Placed(Make<TFileNameEdit>(*pnSendFile, "Please select a file."), "feFileName",
                        76, 2, 285, 19);
    btnSendFile = Placed(Make<TButton>(*pnSendFile, "Send file"), "btnSendFile", 366, 2, 74, 21);
    btnSendFile->SetHint("You can close the serial port to stop sending file.");
    btnSendFile->SetShowHint(true);

    pmSavetoList = std::make_unique<TPopupMenu>(*mmSendData);
    pmSavetoList->SetName("pmSavetoList");
    N1 = pmSavetoList->Add("保存至");
    N1->SetName("N1");

    // ---- Send list, hidden at start ----
    pnSendList = Docked(Make<TPanel>(*pnSend), "pnSendList", alLeft, 0, 0, 240, 328);
    pnSendList->SetVisible(false);
    epSendList = Docked(Make<TExtPanel>(*pnSendList, "Data list to be sent"), "epSendList",
                        alClient, 0, 0, 240, 300);
    pnCycleSend = Docked(Make<TPanel>(*pnSendList, TBevel::Raised), "pnCycleSend", alBottom, 0,
                         300, 240, 28);
    cbCycleSend = Placed(
        Make<TCheckBox>(*pnCycleSend, "Circular send the list. Interval:                  ms"),
        "cbCycleSend", 3, 5, 237, 18);
    edtCycleTimer = Placed(Make<TEdit>(*pnCycleSend, "1000"), "edtCycleTimer", 174, 5, 47, 19);

    pnTitle = Docked(Make<TPanel>(*epSendList), "pnTitle", alTop, 0, 0, 236, 23);
    Hex = Placed(Make<TLabel>(*pnTitle, "In HEX"), "Hex", 1, 3, 41, 18);
    bsSkinLabel1 =
        Placed(Make<TLabel>(*pnTitle, "Data list to send"), "bsSkinLabel1", 67, 3, 94, 18);
    bsSkinLabel2 = Placed(Make<TLabel>(*pnTitle, "Send"), "bsSkinLabel2", 203, 3, 34, 18);
    pnListData = Docked(Make<TScrollBox>(*epSendList), "pnListData", alClient, 0, 23, 236, 255);
    // The twenty rows reach further down than the list shows: the user scrolls to them.
    pnListData->SetContentSize(230, EntryTop(SendListSize) + 23);
    static const char* const sampleTexts[SendListSize + 1] = {nullptr, "41 54 0D 0A 31 32", "Hello",
                                                              "AT"};
    for (int n = 1; n <= SendListSize; ++n) {
        const std::string number = std::to_string(n);
        const int top = EntryTop(n);
        cbEntry[n] = Make<TCheckBox>(*pnListData, "");
        cbEntry[n]->SetName("cb" + number);
        cbEntry[n]->SetBounds({6, top, 21, 18});
        cbEntry[n]->SetChecked(n == 1);
        edtEntry[n] = Make<TEdit>(*pnListData, n <= 3 ? sampleTexts[n] : "");
        edtEntry[n]->SetName("edt" + number);
        edtEntry[n]->SetBounds({32, top, 169, 19});
        btnEntry[n] = Make<TButton>(*pnListData, number);
        btnEntry[n]->SetName("btn" + number);
        btnEntry[n]->SetBounds({209, top - 1, 20, 19});
        piEntry[n] = N1->Add(number);
        piEntry[n]->SetName("pi" + number);
    }

    // ---- Receive area ----
    gbReceiveData = Docked(Make<TGroupBox>(*pnSend, "Receive data area"), "gbReceiveData",
                           alClient, 0, 0, 693, 328);
    gbReceiveData->SetPadding({2, 0, 2, 0});
    mmReceive = Docked(Make<ReceiveView>(*gbReceiveData), "mmReceive", alClient, 0, 0, 0, 0);
    mmReceive->SetFont(MemoFont);
    ssbReceive = Docked(Make<TScrollBar>(*gbReceiveData), "ssbReceive", alRight, 0, 0, 19, 0);
    ssbReceive->SetEnabled(false);
    pnReceiveSet = Docked(Make<TPanel>(*gbReceiveData), "pnReceiveSet", alBottom, 0, 0, 0, 27);
    cbAutoClear =
        Placed(Make<TCheckBox>(*pnReceiveSet, "Auto clear"), "cbAutoClear", 8, 5, 78, 18);
    cbHexDisplay =
        Placed(Make<TCheckBox>(*pnReceiveSet, "Display in HEX"), "cbHexDisplay", 85, 5, 105, 18);
    btnClearReceive =
        Placed(Make<TButton>(*pnReceiveSet, "Clear"), "btnClearReceive", 192, 4, 61, 21);
    btnClearReceive->SetHint("Clear the receive area.");
    btnClearReceive->SetShowHint(true);
    btnStopDisplay =
        Placed(Make<TButton>(*pnReceiveSet, "Stop display"), "btnStopDisplay", 261, 4, 86, 21);
    btnStopDisplay->SetHint("Stop the display of receive data.");
    btnStopDisplay->SetShowHint(true);
    btnSaveData = Placed(Make<TButton>(*pnReceiveSet, "Save data"), "btnSaveData", 355, 4, 70, 21);
    btnSaveData->SetHint("Save the data in the receive area to text.");
    btnSaveData->SetShowHint(true);

    // ---- Exit button, over the right end of the status bar and the bottom panel ----
    btnClose = Placed(Make<TSpeedButton>(*this, "Exit"), "btnClose", 643, 456, 49, 45);
    btnClose->SetAnchors({false, false, true, true});

    // ---- Timers ----
    tmAutoSend = std::make_unique<TTimer>(&Dispatcher, 1000);
    tmCycleSend = std::make_unique<TTimer>(&Dispatcher, 1000);
    // A file sending at rates above 10000 bit/s plans an interval of 0 and still ticks.
    tmSendFile = std::make_unique<TTimer>(&Dispatcher, 1000, true);
}

} // namespace pellow
