// The controls of the main window: names, kinds, captions, items, places and sizes (at
// 96 dpi) and docking. Panels that fill take what their docked siblings leave; the Exit
// button is kept at the bottom-right corner by resizeEvent.
#include "app/TfrmMain.h"
#include "receive/ReceiveView.h"
#include "receive/qt/QtReceiveViewPeer.h"
#include "ui/qt/QtWidgetOf.h"

#include <QAbstractItemView>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace pellow {

namespace {

template <class T> T* Named(T* control, const char* name) {
    control->setObjectName(QString::fromLatin1(name));
    return control;
}

template <class T>
T* Placed(T* control, const char* name, int left, int top, int width, int height) {
    control->setGeometry(left, top, width, height);
    return Named(control, name);
}

QBoxLayout* Dock(QBoxLayout* layout) {
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    return layout;
}

QFont MemoFont() {
    QFont font;
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"), QStringLiteral("NSimSun"),
                      QStringLiteral("Noto Sans Mono CJK SC"), QStringLiteral("DejaVu Sans Mono"),
                      QStringLiteral("monospace")});
    font.setPixelSize(13);
    return font;
}

void BlackText(QWidget* memo) {
    QPalette palette = memo->palette();
    palette.setColor(QPalette::Text, Qt::black);
    memo->setPalette(palette);
    memo->setFont(MemoFont());
}

constexpr int EntryTop(int n) {
    return n == 1 ? 4 : 26 + 23 * (n - 2);
}

} // namespace

void TfrmMain::CreateControls() {
    const TDispatcher* d = &Dispatcher;
    using TBevel = TPanel::TBevel;
    using TStyle = TComboBox::TStyle;

    QFont small;
    small.setFamilies({QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans"),
                       QStringLiteral("sans-serif")});
    small.setPixelSize(11);
    setFont(small);

    // Docked from the bottom up, then the filling panel.
    pnSend = Named(new TPanel(this, d), "pnSend");
    pnBottom = Named(new TPanel(this, d), "pnBottom");
    pnBottom->setFixedHeight(153);
    sbMain = Named(new TPanel(this, d), "sbMain");
    sbMain->setFixedHeight(21);
    auto* windowLayout = Dock(new QVBoxLayout(this));
    windowLayout->addWidget(pnSend, 1);
    windowLayout->addWidget(pnBottom);
    windowLayout->addWidget(sbMain);

    // ---- Status bar ----
    btnDesktop = Named(new TSpeedButton(sbMain, d), "btnDesktop");
    btnDesktop->setFixedSize(21, 21);
    btnDesktop->SetHint("Normal window");
    btnDesktop->SetShowHint(true);
    btnList = Named(new TButton(sbMain, d, "Extent"), "btnList");
    btnList->setFixedSize(62, 21);
    pnStatus = Named(new TPanel(sbMain, d, TBevel::Lowered), "pnStatus");
    pnStatus->setFixedSize(276, 21);
    pnReceiveCount = Named(new TPanel(sbMain, d, TBevel::Lowered), "pnReceiveCount");
    pnReceiveCount->setFixedSize(81, 21);
    Label4 = Placed(new TLabel(pnReceiveCount, d, "RX:"), "Label4", 4, 4, 20, 13);
    lbRX = Placed(new TLabel(pnReceiveCount, d, "0"), "lbRX", 24, 4, 54, 13);
    pnTX = Named(new TPanel(sbMain, d, TBevel::Lowered), "pnTX");
    pnTX->setFixedSize(84, 21);
    Label5 = Placed(new TLabel(pnTX, d, "TX:"), "Label5", 4, 4, 21, 13);
    lbTX = Placed(new TLabel(pnTX, d, "0"), "lbTX", 26, 4, 54, 13);
    btnCounterReset = Named(new TButton(sbMain, d, "CounterRESET"), "btnCounterReset");
    btnCounterReset->setFixedSize(74, 21);
    auto* statusLayout = Dock(new QHBoxLayout(sbMain));
    for (QWidget* w : std::initializer_list<QWidget*>{btnDesktop, btnList, pnStatus, pnReceiveCount,
                                                      pnTX, btnCounterReset}) {
        statusLayout->addWidget(w);
    }
    statusLayout->addStretch(1);

    // ---- Port panel ----
    pnCOM = Named(new TPanel(pnBottom, d, TBevel::Raised), "pnCOM");
    pnCOM->setFixedWidth(138);
    bsSkinStdLabel1 =
        Placed(new TLabel(pnCOM, d, "Serial port："), "bsSkinStdLabel1", 4, 5, 58, 18);
    bsSkinStdLabel2 = Placed(new TLabel(pnCOM, d, "Bandrate："), "bsSkinStdLabel2", 4, 25, 53, 18);
    bsSkinStdLabel3 = Placed(new TLabel(pnCOM, d, "Bytesize："), "bsSkinStdLabel3", 4, 46, 50, 18);
    bsSkinStdLabel4 = Placed(new TLabel(pnCOM, d, "Stopbits："), "bsSkinStdLabel4", 4, 67, 48, 18);
    bsSkinStdLabel5 = Placed(new TLabel(pnCOM, d, "Parity："), "bsSkinStdLabel5", 4, 88, 48, 18);
    cbCOM = Placed(new TComboBox(pnCOM, d, TStyle::DropDown, true), "cbCOM", 64, 3, 66, 20);
    cbCOM->SetItems({"/dev/ttyS0", "/dev/ttyS1", "/dev/ttyS2", "/dev/ttyS3"});
    cbCOM->SetItemIndex(0);
    cbBPS = Placed(new TComboBox(pnCOM, d, TStyle::DropDownList), "cbBPS", 64, 24, 66, 20);
    cbBPS->SetItems({"300", "600", "1200", "2400", "4800", "9600", "19200", "38400", "43000",
                     "56000", "57600", "115200"});
    cbBPS->SetItemIndex(5);
    cbByteSize =
        Placed(new TComboBox(pnCOM, d, TStyle::DropDownList), "cbByteSize", 64, 45, 66, 20);
    cbByteSize->SetItems({"5", "6", "7", "8"});
    cbByteSize->SetItemIndex(3);
    cbStopBits =
        Placed(new TComboBox(pnCOM, d, TStyle::DropDownList), "cbStopBits", 64, 66, 66, 20);
    cbStopBits->SetItems({"1", "1.5", "2"});
    cbStopBits->SetItemIndex(0);
    cbParity = Placed(new TComboBox(pnCOM, d, TStyle::DropDownList), "cbParity", 64, 87, 66, 20);
    cbParity->SetItems({"None", "Even", "Mark", "Odd", "Space"});
    cbParity->SetItemIndex(0);
    for (TComboBox* box : {cbCOM, cbBPS, cbByteSize, cbStopBits, cbParity}) {
        box->setMaxVisibleItems(12);
        box->view()->setMinimumWidth(box->view()->sizeHintForColumn(0) + 8);
    }
    shCOM = Placed(new TShape(pnCOM, d, false), "shCOM", 20, 111, 18, 18);
    shCOM->SetPenColor(QColor(0, 0, 0));
    shComIn = Placed(new TShape(pnCOM, d, true), "shComIn", 22, 114, 15, 12);
    shComIn->SetBrushColor(QColor(128, 128, 128));
    btnCOM = Placed(new TButton(pnCOM, d, "CLOSE"), "btnCOM", 64, 110, 56, 21);
    cbDTR = Placed(new TCheckBox(pnCOM, d, "DTR"), "cbDTR", 13, 131, 57, 21);
    cbDTR->setChecked(true);
    cbRTS = Placed(new TCheckBox(pnCOM, d, "RTS"), "cbRTS", 77, 131, 57, 21);
    cbRTS->setChecked(true);

    // ---- Send data ----
    pnSendData = Named(new TPanel(pnBottom, d), "pnSendData");
    auto* bottomLayout = Dock(new QHBoxLayout(pnBottom));
    bottomLayout->addWidget(pnCOM);
    bottomLayout->addWidget(pnSendData, 1);

    sgSendData = Named(new TGroupBox(pnSendData, d, "The data to be send"), "sgSendData");
    mmSendData = Named(new TMemo(sgSendData, d), "mmSendData");
    BlackText(mmSendData);
    sssbSendData = Named(new TScrollBar(sgSendData, d), "sssbSendData");
    sssbSendData->setFixedWidth(19);
    mmSendData->BindScrollBar(sssbSendData);
    auto* sendAreaLayout = Dock(new QHBoxLayout(sgSendData));
    sendAreaLayout->setContentsMargins(2, 0, 2, 2);
    sendAreaLayout->addWidget(mmSendData, 1);
    sendAreaLayout->addWidget(sssbSendData);

    bsSkinPanel1 = Named(new TPanel(pnSendData, d), "bsSkinPanel1");
    bsSkinPanel1->setFixedWidth(111);
    btnClearSend =
        Placed(new TButton(bsSkinPanel1, d, "Refill data"), "btnClearSend", 15, 4, 75, 22);
    cbAutoSend = Placed(new TCheckBox(bsSkinPanel1, d, "Auto send"), "cbAutoSend", 3, 27, 90, 18);
    bsSkinLabel3 = Placed(new TLabel(bsSkinPanel1, d, "Interval                 ms"),
                          "bsSkinLabel3", 2, 44, 109, 18);
    edtTimer = Placed(new TEdit(bsSkinPanel1, d, "1000"), "edtTimer", 45, 44, 44, 19);
    cbSendHex = Placed(new TCheckBox(bsSkinPanel1, d, "Send in HEX"), "cbSendHex", 3, 61, 92, 18);
    cbNewLine = Placed(new TCheckBox(bsSkinPanel1, d, "Send newline"), "cbNewLine", 3, 79, 97, 18);
    btnSendData = Placed(new TButton(bsSkinPanel1, d, "Send"), "btnSendData", 15, 97, 75, 22);
    btnSendData->setDefault(true);

    pnSendFile = Named(new TPanel(pnSendData, d), "pnSendFile");
    pnSendFile->setFixedHeight(25);
    btnSelFile = Placed(new TButton(pnSendFile, d, "Select file"), "btnSelFile", 4, 2, 67, 21);
    feFileName = Placed(new TFileNameEdit(pnSendFile, d, "Please select a file."), "feFileName", 76,
                        2, 285, 19);
    btnSendFile = Placed(new TButton(pnSendFile, d, "Send file"), "btnSendFile", 366, 2, 74, 21);
    btnSendFile->SetHint("You can close the serial port to stop sending file.");
    btnSendFile->SetShowHint(true);

    auto* sendRow = Dock(new QHBoxLayout);
    sendRow->addWidget(sgSendData, 1);
    sendRow->addWidget(bsSkinPanel1);
    auto* sendDataLayout = Dock(new QVBoxLayout(pnSendData));
    sendDataLayout->addLayout(sendRow, 1);
    sendDataLayout->addWidget(pnSendFile);

    pmSavetoList = Named(new TPopupMenu(mmSendData, d), "pmSavetoList");
    N1 = Named(pmSavetoList->addMenu(QStringLiteral("保存至")), "N1");

    // ---- Send list ----
    pnSendList = Named(new TPanel(pnSend, d), "pnSendList");
    pnSendList->setFixedWidth(240);
    pnSendList->SetVisible(false);
    epSendList = Named(new TExtPanel(pnSendList, d, "Data list to be sent"), "epSendList");
    pnCycleSend = Named(new TPanel(pnSendList, d, TBevel::Raised), "pnCycleSend");
    pnCycleSend->setFixedHeight(28);
    cbCycleSend = Placed(
        new TCheckBox(pnCycleSend, d, "Circular send the list. Interval:                  ms"),
        "cbCycleSend", 3, 5, 237, 18);
    edtCycleTimer = Placed(new TEdit(pnCycleSend, d, "1000"), "edtCycleTimer", 174, 5, 47, 19);
    auto* sendListLayout = Dock(new QVBoxLayout(pnSendList));
    sendListLayout->addWidget(epSendList, 1);
    sendListLayout->addWidget(pnCycleSend);

    pnTitle = Named(new TPanel(epSendList->Content(), d), "pnTitle");
    pnTitle->setFixedHeight(23);
    Hex = Placed(new TLabel(pnTitle, d, "In HEX"), "Hex", 1, 3, 41, 18);
    bsSkinLabel1 =
        Placed(new TLabel(pnTitle, d, "Data list to send"), "bsSkinLabel1", 67, 3, 94, 18);
    bsSkinLabel2 = Placed(new TLabel(pnTitle, d, "Send"), "bsSkinLabel2", 203, 3, 34, 18);
    pnListData = Named(new QScrollArea(epSendList->Content()), "pnListData");
    pnListData->setFrameStyle(QFrame::NoFrame);
    pnListData->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pnListData->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    pnListData->verticalScrollBar()->setStyleSheet(QStringLiteral("QScrollBar { width: 8px; }"));
    auto* rows = new QWidget;
    rows->setObjectName(QStringLiteral("pnListDataRows"));
    rows->setFixedSize(230, EntryTop(SendListSize) + 23);
    static const char* const sampleTexts[SendListSize + 1] = {nullptr, "41 54 0D 0A 31 32", "Hello",
                                                              "AT"};
    for (int n = 1; n <= SendListSize; ++n) {
        const std::string number = std::to_string(n);
        const int top = EntryTop(n);
        cbEntry[n] = new TCheckBox(rows, d, "");
        cbEntry[n]->setObjectName(QString::fromStdString("cb" + number));
        cbEntry[n]->setGeometry(6, top, 21, 18);
        cbEntry[n]->setChecked(n == 1);
        edtEntry[n] = new TEdit(rows, d, n <= 3 ? sampleTexts[n] : "");
        edtEntry[n]->setObjectName(QString::fromStdString("edt" + number));
        edtEntry[n]->setGeometry(32, top, 169, 19);
        btnEntry[n] = new TButton(rows, d, number);
        btnEntry[n]->setObjectName(QString::fromStdString("btn" + number));
        btnEntry[n]->setGeometry(209, top - 1, 20, 19);
        piEntry[n] = new TMenuItem(N1, d, number);
        piEntry[n]->setObjectName(QString::fromStdString("pi" + number));
        N1->addAction(piEntry[n]);
    }
    pnListData->setWidget(rows);
    auto* listLayout = Dock(new QVBoxLayout(epSendList->Content()));
    listLayout->addWidget(pnTitle);
    listLayout->addWidget(pnListData, 1);

    // ---- Receive area ----
    gbReceiveData = Named(new TGroupBox(pnSend, d, "Receive data area"), "gbReceiveData");
    mmReceive = std::make_unique<ReceiveView>(std::make_unique<QtReceiveViewPeer>(gbReceiveData));
    QWidget* const receiveArea = Named(QtWidgetOf(*mmReceive), "mmReceive");
    BlackText(receiveArea);
    ssbReceive = Named(new TScrollBar(gbReceiveData, d), "ssbReceive");
    ssbReceive->setFixedWidth(19);
    ssbReceive->SetEnabled(false);
    pnReceiveSet = Named(new TPanel(gbReceiveData, d), "pnReceiveSet");
    pnReceiveSet->setFixedHeight(27);
    cbAutoClear = Placed(new TCheckBox(pnReceiveSet, d, "Auto clear"), "cbAutoClear", 8, 5, 78, 18);
    cbHexDisplay =
        Placed(new TCheckBox(pnReceiveSet, d, "Display in HEX"), "cbHexDisplay", 85, 5, 105, 18);
    btnClearReceive =
        Placed(new TButton(pnReceiveSet, d, "Clear"), "btnClearReceive", 192, 4, 61, 21);
    btnClearReceive->SetHint("Clear the receive area.");
    btnClearReceive->SetShowHint(true);
    btnStopDisplay =
        Placed(new TButton(pnReceiveSet, d, "Stop display"), "btnStopDisplay", 261, 4, 86, 21);
    btnStopDisplay->SetHint("Stop the display of receive data.");
    btnStopDisplay->SetShowHint(true);
    btnSaveData = Placed(new TButton(pnReceiveSet, d, "Save data"), "btnSaveData", 355, 4, 70, 21);
    btnSaveData->SetHint("Save the data in the receive area to text.");
    btnSaveData->SetShowHint(true);
    auto* receiveRow = Dock(new QHBoxLayout);
    receiveRow->addWidget(receiveArea, 1);
    receiveRow->addWidget(ssbReceive);
    auto* receiveLayout = Dock(new QVBoxLayout(gbReceiveData));
    receiveLayout->setContentsMargins(2, 0, 2, 0);
    receiveLayout->addLayout(receiveRow, 1);
    receiveLayout->addWidget(pnReceiveSet);

    auto* sendLayout = Dock(new QHBoxLayout(pnSend));
    sendLayout->addWidget(pnSendList);
    sendLayout->addWidget(gbReceiveData, 1);

    // ---- Exit button, over the right end of the status bar and the bottom panel ----
    btnClose = Named(new TSpeedButton(this, d, "Exit"), "btnClose");
    btnClose->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    btnClose->setGeometry(643, 456, 49, 45);
    btnClose->raise();

    // ---- Timers ----
    tmAutoSend = std::make_unique<TTimer>(d, 1000);
    tmCycleSend = std::make_unique<TTimer>(d, 1000);
    // A file sending at rates above 10000 bit/s plans an interval of 0 and still ticks.
    tmSendFile = std::make_unique<TTimer>(d, 1000, true);
}

} // namespace pellow
