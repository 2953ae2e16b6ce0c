// Start-up, opening and closing from the window, the lamp, the status line, locking the
// port controls, and a device that goes away. The device is a pseudo-terminal.
#include "ReadOnlyFolder.h"
#include "WindowTestSupport.h"
#include "receive/ReceiveView.h"
#include "serial/CommTypes.h"
#include "serial/QueuedNotifyWindow.h"
#include "ui/qt/QtWidgetOf.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <thread>

namespace pellow {
namespace {

using test::Pty;
using test::ScratchFolder;
using test::TestWindow;
using test::WaitFor;

const TColor Green{0, 255, 0};
const TColor Black{0, 0, 0};
const TColor Grey{128, 128, 128};

void ExpectOpenState(TfrmMain& f) {
    EXPECT_EQ(f.btnCOM->Caption(), "CLOSE");
    EXPECT_EQ(f.shCOM->PenColor(), Green);
    EXPECT_EQ(f.shComIn->BrushColor(), Green);
    for (const TControl* w : std::initializer_list<const TControl*>{f.cbCOM, f.cbBPS, f.cbByteSize, f.cbStopBits,
                                                      f.cbParity, f.cbDTR, f.cbRTS}) {
        EXPECT_FALSE(QtWidgetOf(w)->isEnabled()) << w->Name();
    }
    EXPECT_TRUE(f.Com->PortOpen());
}

void ExpectClosedState(TfrmMain& f) {
    EXPECT_EQ(f.btnCOM->Caption(), "OPEN");
    EXPECT_EQ(f.shCOM->PenColor(), Black);
    EXPECT_EQ(f.shComIn->BrushColor(), Grey);
    for (const TControl* w : std::initializer_list<const TControl*>{f.cbCOM, f.cbBPS, f.cbByteSize, f.cbStopBits,
                                                      f.cbParity, f.cbDTR, f.cbRTS}) {
        EXPECT_TRUE(QtWidgetOf(w)->isEnabled()) << w->Name();
    }
    EXPECT_FALSE(f.Com->PortOpen());
}

class StartUpTest : public testing::Test {
protected:
    Pty pty_;
    ScratchFolder folder_;
};

TEST_F(StartUpTest, OpensTheFirstListedPort) {
    TestWindow w({pty_.SlavePath()}, folder_.Path());
    w->FormShow();
    ExpectOpenState(*w);
    EXPECT_EQ(w->pnStatus->Caption(),
              "Status:" + pty_.SlavePath() + " Normal, 9600bps, 8, 1, None");
    EXPECT_TRUE(w.Messages().empty());
    EXPECT_EQ(w->Com->CommName(), pty_.SlavePath());
    EXPECT_EQ(w->Com->BaudRate(), 9600u);
}

TEST_F(StartUpTest, LeavesSendingIdleAndShowsTheNormalModePicture) {
    TestWindow w({pty_.SlavePath()}, folder_.Path());
    w->FormShow();
    EXPECT_FALSE(w->cbAutoSend->Checked());
    EXPECT_FALSE(w->cbCycleSend->Checked());
    EXPECT_FALSE(w->tmAutoSend->Enabled());
    EXPECT_FALSE(w->tmCycleSend->Enabled());
    EXPECT_TRUE(w->btnSendData->Enabled());
    EXPECT_TRUE(w->edtTimer->Enabled());
    EXPECT_FALSE(w->PreviewShown);
    TPicture expected;
    w->imglDesktop.GetBitmap(1, expected);
    ASSERT_TRUE(w->DesktopGlyph);
    EXPECT_EQ(w->btnDesktop->Glyph(), expected);
    EXPECT_EQ(QtWidgetOf(w->mmReceive)->toolTip().toStdString(),
              "You can send the key assignments direct through \npressing the key in this area.");
}

TEST_F(StartUpTest, MissingDeviceWarnsAndStaysClosed) {
    const std::string missing = test::MissingDevice();
    TestWindow w({missing}, folder_.Path());
    w->FormShow();
    EXPECT_EQ(w.Messages(), std::vector<std::string>{"Open " + missing +
                                                     "faild, the serial port is not available!"});
    ExpectClosedState(*w);
    EXPECT_EQ(w->pnStatus->Caption(), "Status:" + missing + "closed, 9600bps, 8, 1, None");
}

TEST_F(StartUpTest, EmptyListKeepsTheShownName) {
    const std::string missing = test::MissingDevice();
    TestWindow w({}, folder_.Path());
    w->cbCOM->SetText(missing);
    w->FormShow();
    EXPECT_TRUE(w->cbCOM->Items().empty());
    EXPECT_EQ(w->cbCOM->Text(), missing);
    EXPECT_EQ(w.Messages(), std::vector<std::string>{"Open " + missing +
                                                     "faild, the serial port is not available!"});
}

TEST_F(StartUpTest, WithNoRealPortTheLoopbackIsOpenedAndEchoes) {
    TestWindow w({"loop://"}, folder_.Path());
    w->FormShow();
    ExpectOpenState(*w);
    EXPECT_EQ(w->pnStatus->Caption(), "Status:loop:// Normal, 9600bps, 8, 1, None");
    EXPECT_TRUE(w.Messages().empty());

    w->mmSendData->SetText("hello");
    w->btnSendDataClick();
    ASSERT_TRUE(WaitFor([&] { return w->mmReceive->Bytes() == "hello"; })) << w->mmReceive->Bytes();
    EXPECT_EQ(w->lbTX->Caption(), "5");
    EXPECT_EQ(w->lbRX->Caption(), "5");
}

TEST_F(StartUpTest, RealPortsStayAheadOfTheLoopback) {
    TestWindow w({pty_.SlavePath(), "loop://"}, folder_.Path());
    w->FormShow();
    EXPECT_EQ(w->cbCOM->Items().back(), "loop://");
    EXPECT_EQ(w->Com->CommName(), pty_.SlavePath());
    ExpectOpenState(*w);
}

TEST_F(StartUpTest, ListIsSortedWithoutRegardToCaseAndNumbersByValue) {
    const std::string base = test::MissingDevice();
    TestWindow w({base + "COM2", base + "COM10", base + "com1", pty_.SlavePath()}, folder_.Path());
    w->FormShow();
    auto items = w->cbCOM->Items();
    items.erase(std::remove(items.begin(), items.end(), pty_.SlavePath()), items.end());
    EXPECT_EQ(items, (std::vector<std::string>{base + "com1", base + "COM2", base + "COM10"}));
    EXPECT_EQ(w->cbCOM->ItemIndex(), 0);
}

TEST_F(StartUpTest, LoadedParametersReachTheOpenedPort) {
    folder_.WriteIni("[SendList]\r\n12=1\r\n[COMSetting]\r\nBandRate=11\r\nByteSize=2\r\n"
                     "StopBits=1\r\nParity=3\r\n");
    TestWindow w({pty_.SlavePath()}, folder_.Path());
    w->FormShow();
    ExpectOpenState(*w);
    EXPECT_EQ(w->pnStatus->Caption(),
              "Status:" + pty_.SlavePath() + " Normal, 115200bps, 7, 1.5, Odd");
    EXPECT_EQ(w->Com->BaudRate(), 115200u);
    EXPECT_EQ(w->Com->ByteSize(), TByteSize::_7);
    EXPECT_EQ(w->Com->StopBits(), TStopBits::_1_5);
    EXPECT_EQ(w->Com->Parity(), TParity::Odd);
}

TEST_F(StartUpTest, SettingsFileThatCannotBeWrittenIsReportedOnceAndThePortStillOpens) {
    // Loading writes the flag back as 1, which the read-only folder refuses.
    folder_.WriteIni("[SendList]\r\n12=0\r\ndata4=AT\r\n4=2\r\n");
    const std::string before = folder_.ReadIni();
    const test::ReadOnlyFolder readOnly(folder_.Path());
    if (!readOnly.Refuses()) {
        GTEST_SKIP() << "the folder cannot be made read-only here";
    }
    TestWindow w({pty_.SlavePath()}, folder_.Path());
    w->FormShow();
    ASSERT_EQ(w.messages->Entries.size(), 1u);
    EXPECT_EQ(w.messages->Entries[0].kind, TRecordingMessageBox::Kind::Error);
    EXPECT_EQ(w.messages->Entries[0].text, "Unable to write to " + folder_.Ini().string());
    EXPECT_EQ(w->cbCOM->Items(), std::vector<std::string>{pty_.SlavePath()});
    ExpectOpenState(*w);
    EXPECT_EQ(w->pnStatus->Caption(),
              "Status:" + pty_.SlavePath() + " Normal, 9600bps, 8, 1, None");
    EXPECT_EQ(w->edtEntry[4]->Text(), "AT");
    EXPECT_TRUE(w->cbEntry[4]->Checked());
    EXPECT_EQ(folder_.ReadIni(), before);
}

class PortControlTest : public StartUpTest {
protected:
    void SetUp() override {
        w_ = std::make_unique<TestWindow>(std::vector<std::string>{pty_.SlavePath()},
                                          folder_.Path());
        (*w_)->FormShow();
        ASSERT_EQ((*w_)->btnCOM->Caption(), "CLOSE");
    }
    TfrmMain& f() { return **w_; }
    std::unique_ptr<TestWindow> w_;
};

TEST_F(PortControlTest, CloseAndOpenAgain) {
    f().btnCOMClick();
    ExpectClosedState(f());
    EXPECT_EQ(f().pnStatus->Caption(),
              "Status:" + pty_.SlavePath() + " Closed 9600bps, 8, 1, None");

    f().btnCOMClick();
    ExpectOpenState(f());
    EXPECT_EQ(f().pnStatus->Caption(),
              "Status:" + pty_.SlavePath() + " Normal 9600bps, 8, 1, None");
    EXPECT_TRUE(w_->Messages().empty());
}

TEST_F(PortControlTest, OpeningTheListReadsThePortsAgainAndKeepsTheText) {
    f().btnCOMClick();
    w_->ports->push_back("/dev/ttyUSB0"); // plugged in after start-up
    QtWidgetOf<QComboBox>(f().cbCOM)->showPopup();
    QtWidgetOf<QComboBox>(f().cbCOM)->hidePopup();
    EXPECT_EQ(f().cbCOM->Items(), (std::vector<std::string>{pty_.SlavePath(), "/dev/ttyUSB0"}));
    EXPECT_EQ(f().cbCOM->Text(), pty_.SlavePath());

    QtWidgetOf<QComboBox>(f().cbCOM)->setEditText("/dev/typed");
    w_->ports->clear();
    QtWidgetOf<QComboBox>(f().cbCOM)->showPopup();
    QtWidgetOf<QComboBox>(f().cbCOM)->hidePopup();
    EXPECT_TRUE(f().cbCOM->Items().empty());
    EXPECT_EQ(f().cbCOM->Text(), "/dev/typed");
}

TEST_F(PortControlTest, ChangesWhileClosedAreStoredAndAppliedAtTheNextOpening) {
    f().btnCOMClick();
    QtWidgetOf<QComboBox>(f().cbParity)->setCurrentIndex(3); // as the user picks "Odd"
    QtWidgetOf<QComboBox>(f().cbBPS)->setCurrentIndex(11);
    QtWidgetOf<QAbstractButton>(f().cbDTR)->click();
    TIniFile ini(folder_.Ini());
    EXPECT_EQ(ini.ReadString("COMSetting", "Parity", ""), "3");
    EXPECT_EQ(ini.ReadString("COMSetting", "BandRate", ""), "11");
    EXPECT_EQ(ini.ReadString("COMSetting", "ByteSize", "none"), "none");
    EXPECT_EQ(f().Com->BaudRate(), 9600u); // nothing reaches the component before opening

    f().btnCOMClick();
    ExpectOpenState(f());
    EXPECT_EQ(f().Com->Parity(), TParity::Odd);
    EXPECT_EQ(f().Com->BaudRate(), 115200u);
    EXPECT_EQ(f().Com->DtrControl(), TDtrControl::DtrDisable);
    EXPECT_EQ(f().Com->RtsControl(), TRtsControl::RtsEnable);
}

TEST_F(PortControlTest, FailedOpeningByTheButton) {
    f().btnCOMClick();
    const std::string missing = test::MissingDevice();
    f().cbCOM->SetText(missing);
    f().btnCOMClick();
    EXPECT_EQ(w_->Messages(), std::vector<std::string>{"Can not open" + missing +
                                                       ", the serial port is not available."});
    ExpectClosedState(f());
    EXPECT_EQ(f().pnStatus->Caption(), "Status:" + missing + " Closed 9600bps, 8, 1, None");
}

TEST_F(PortControlTest, ClosingStopsAutomaticSending) {
    f().cbAutoSend->SetChecked(true);
    ASSERT_TRUE(f().tmAutoSend->Enabled());
    ASSERT_FALSE(f().btnSendData->Enabled());
    f().btnCOMClick();
    EXPECT_FALSE(f().tmAutoSend->Enabled());
    EXPECT_FALSE(f().cbAutoSend->Checked());
    EXPECT_TRUE(f().btnSendData->Enabled());
    EXPECT_TRUE(f().btnSendFile->Enabled());
    EXPECT_TRUE(f().edtTimer->Enabled());
    EXPECT_TRUE(f().cbCycleSend->Enabled());
}

TEST_F(PortControlTest, ClosingStopsCyclicSending) {
    f().cbCycleSend->SetChecked(true);
    ASSERT_TRUE(f().tmCycleSend->Enabled());
    ASSERT_FALSE(f().cbAutoSend->Enabled());
    f().btnCOMClick();
    EXPECT_FALSE(f().tmCycleSend->Enabled());
    EXPECT_FALSE(f().cbCycleSend->Checked());
    EXPECT_TRUE(f().cbAutoSend->Enabled());
    EXPECT_TRUE(f().edtCycleTimer->Enabled());
    EXPECT_TRUE(f().btnSendData->Enabled());
    EXPECT_TRUE(f().btnSendFile->Enabled());
}

TEST_F(PortControlTest, ClosingStopsFileSending) {
    // The state a running file sending leaves the controls in.
    f().tmSendFile->SetEnabled(true);
    f().cbCycleSend->SetEnabled(false);
    f().cbAutoSend->SetEnabled(false);
    f().btnSendFile->SetEnabled(false);
    f().btnSendData->SetEnabled(false);
    f().btnCOMClick();
    EXPECT_FALSE(f().tmSendFile->Enabled());
    for (const TControl* c : std::initializer_list<const TControl*>{f().cbCycleSend, f().cbAutoSend,
                                                      f().btnSendFile, f().btnSendData}) {
        EXPECT_TRUE(QtWidgetOf(c)->isEnabled()) << c->Name();
    }
}

TEST_F(PortControlTest, VanishedDeviceClosesThePortAndWarns) {
    f().cbAutoSend->SetChecked(true);
    pty_.CloseMaster();
    ASSERT_TRUE(WaitFor([&] { return f().btnCOM->Caption() == "OPEN"; }));
    ExpectClosedState(f());
    EXPECT_EQ(f().pnStatus->Caption(),
              "Status:" + pty_.SlavePath() + " Closed 9600bps, 8, 1, None");
    EXPECT_FALSE(f().tmAutoSend->Enabled());
    EXPECT_FALSE(f().cbAutoSend->Checked());
    EXPECT_EQ(w_->Messages(), std::vector<std::string>{"The serial port " + pty_.SlavePath() +
                                                       " was disconnected."});
}

// Holds the component's notifications until the test delivers them, and counts the
// hang-up requests posted, so a test can hold one back while the window acts on another.
class HeldNotifyWindow final : public TNotifyWindow {
public:
    explicit HeldNotifyWindow(Proc proc) : queue_(std::move(proc)) {}
    bool Post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) override {
        hangups_ += message == PORTMSG_HANGUP ? 1 : 0;
        return queue_.Post(message, wParam, lParam);
    }
    int HangupsPosted() const { return hangups_.load(); }
    QueuedNotifyWindow& Queue() { return queue_; }

private:
    std::atomic<int> hangups_{0};
    QueuedNotifyWindow queue_;
};

// Both workers ask to hang up when the far end goes while bytes go both ways. The window
// acts on the first request; the second, still queued when the user opens the next port,
// must not close that port.
TEST(HangUpTest, SecondRequestOfOneUnplugLeavesTheNextPortOpen) {
    Pty first;
    ScratchFolder folder;
    HeldNotifyWindow* held = nullptr;
    auto messages = std::make_shared<TRecordingMessageBox>();
    TfrmMainServices services;
    services.ListPorts = [path = first.SlavePath()] { return std::vector<std::string>{path}; };
    services.SettingsFolder = folder.Path();
    services.Messages = messages;
    services.NotifyWindows = [&held](TNotifyWindow::Proc proc) {
        auto window = std::make_unique<HeldNotifyWindow>(std::move(proc));
        held = window.get();
        return window;
    };
    TfrmMain f(std::move(services));
    f.FormShow();
    ASSERT_EQ(f.btnCOM->Caption(), "CLOSE");

    first.CloseMaster();
    std::string key = "k";
    f.mmReceiveKeyPress(key); // the writer fails on it, as the reader does on reading
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (held->HangupsPosted() < 2 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_EQ(held->HangupsPosted(), 2);
    ASSERT_TRUE(held->Queue().PumpUntil([&] { return !messages->Entries.empty(); },
                                        std::chrono::seconds(10)));
    ASSERT_EQ(f.btnCOM->Caption(), "OPEN");

    Pty next;
    f.cbCOM->SetText(next.SlavePath());
    f.btnCOMClick();
    ASSERT_EQ(f.btnCOM->Caption(), "CLOSE");
    held->Queue().PumpFor(std::chrono::milliseconds(300));
    ExpectOpenState(f);
    EXPECT_EQ(messages->Texts(), std::vector<std::string>{"The serial port " + first.SlavePath() +
                                                          " was disconnected."});
}

// The real modal boxes, each answered with Enter as soon as it shows. The user was
// typing into the receive area when the line went; after the warning, a click into the
// port box and the next port's name must reach the port box.
TEST(HangUpTest, AfterTheWarningAClickIntoThePortBoxTakesTheTypedName) {
    Pty first;
    ScratchFolder folder;
    TfrmMainServices services;
    services.ListPorts = [path = first.SlavePath()] { return std::vector<std::string>{path}; };
    services.SettingsFolder = folder.Path();
    TfrmMain f(std::move(services));
    std::vector<std::string> warnings;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            warnings.push_back(box->text().toStdString());
            QTest::keyClick(box, Qt::Key_Return);
        }
    });
    answer.start(20);
    f.Show();
    QWidget* window = QtWidgetOf(f);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    ASSERT_EQ(f.btnCOM->Caption(), "CLOSE");
    QtWidgetOf(f.mmReceive)->setFocus();

    first.CloseMaster();
    ASSERT_TRUE(WaitFor([&] { return !warnings.empty() && !QApplication::activeModalWidget(); }));
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    Pty next;
    auto* portBox = QtWidgetOf<QComboBox>(f.cbCOM);
    QTest::mouseClick(portBox->lineEdit(), Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), portBox);
    QTest::keyClick(portBox->lineEdit(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(portBox->lineEdit(), QString::fromStdString(next.SlavePath()));
    EXPECT_EQ(f.cbCOM->Text(), next.SlavePath());
    f.btnCOMClick();
    EXPECT_EQ(f.btnCOM->Caption(), "CLOSE");
    EXPECT_EQ(warnings, std::vector<std::string>{"The serial port " + first.SlavePath() +
                                                 " was disconnected."});
}

TEST_F(PortControlTest, ExitClosesThePort) {
    TCloseAction action = TCloseAction::caFree;
    f().FormClose(action);
    EXPECT_FALSE(f().Com->PortOpen());
    EXPECT_FALSE(f().SettingsFile);
    EXPECT_FALSE(f().DesktopGlyph);
}

} // namespace
} // namespace pellow
