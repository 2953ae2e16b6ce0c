#include "SendWindowFixture.h"
#include "ui/qt/QtWidgetOf.h"

#include <QApplication>
#include <QAbstractButton>
#include <QClipboard>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTest>

using namespace pellow;
using namespace pellow::test;

namespace {

constexpr const char* OpenFirst = "Please open the serial port first!";
constexpr const char* OpenFirstTimed = "Please open the serial port first.";
constexpr const char* NotHex = "Can not be sent in HEX mode, the Data is not HEX totally!";
constexpr const char* SendError =
    "Error occured in sending the data, please check the serial port setting.";

using ManualSendTest = SendWindowTest;

TEST_F(ManualSendTest, SendButtonBytesAndCountsWithNewlineOnAndOff) {
    struct {
        const char* area;
        bool hex;
        bool newline;
        std::string sent;
    } const cases[] = {
        {"", false, false, ""},
        {"", false, true, "\r\n"},
        {"hello\r\n", false, false, "hello"},
        {"hello\r\n", false, true, "hello\r\n"},
        {"a\r\nb", false, false, "a\r\nb"},
        {"  AT  ", false, false, "AT"},
        {"31 32", true, true, "12\r\n"},
        {"31 32\r\n", true, false, "12"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.area);
        Form().mmSendData->SetText(c.area);
        Form().cbSendHex->SetChecked(c.hex);
        Form().cbNewLine->SetChecked(c.newline);
        const std::int64_t before = TX();
        QtWidgetOf<QAbstractButton>(Form().btnSendData)->click();
        EXPECT_EQ(TakeReceived(), c.sent);
        EXPECT_EQ(TX() - before, static_cast<std::int64_t>(c.sent.size()));
    }
    EXPECT_TRUE(Messages().Warnings.empty());
}

TEST_F(ManualSendTest, PastedNoBreakSpaceAndLineSeparatorGoOutAsTheirBytes) {
    QApplication::clipboard()->setText(QStringLiteral("a") + QChar(0x00A0) + QStringLiteral("b") +
                                       QChar(0x2028) + QStringLiteral("c"));
    QtWidgetOf<QPlainTextEdit>(Form().mmSendData)->paste();
    Form().btnSendDataClick();
    EXPECT_EQ(TakeReceived(), "a\xC2\xA0\x62\xE2\x80\xA8\x63");

    // In hex mode a no-break space is no blank.
    Form().mmSendData->SetText("31\xC2\xA0\x33\x32");
    Form().cbSendHex->SetChecked(true);
    Form().btnSendDataClick();
    EXPECT_EQ(TakeReceived(), "");
    EXPECT_EQ(Messages().Warnings, std::vector<std::string>{NotHex});
}

TEST_F(ManualSendTest, BadHexSendsNothingAndKeepsTheCounter) {
    for (const char* text : {"0x41", "31\r\n32", "31,32"}) {
        Form().mmSendData->SetText(text);
        Form().cbSendHex->SetChecked(true);
        Form().cbNewLine->SetChecked(true);
        Form().btnSendDataClick();
    }
    EXPECT_EQ(TakeReceived(), "");
    EXPECT_EQ(TX(), 0);
    EXPECT_EQ(Messages().Warnings, std::vector<std::string>(3, NotHex));
}

TEST_F(ManualSendTest, ClosedPortWarnsButStillCountsTheData) {
    ClosePort();
    Form().mmSendData->SetText("AT");
    Form().btnSendDataClick();
    EXPECT_EQ(Messages().Warnings, std::vector<std::string>{OpenFirst});
    EXPECT_EQ(TX(), 2);

    Messages().Warnings.clear();
    Form().cbSendHex->SetChecked(true);
    Form().mmSendData->SetText("zz");
    Form().btnSendDataClick();
    EXPECT_EQ(Messages().Warnings, (std::vector<std::string>{OpenFirst, NotHex}));
    EXPECT_EQ(TX(), 2);
    EXPECT_EQ(TakeReceived(), "");
}

TEST_F(ManualSendTest, DataBeyond65535BytesGoesOverWholeAndInOrder) {
    std::string text;
    for (int i = 0; text.size() < 150000; ++i)
        text += std::to_string(i) + ',';
    Form().mmSendData->SetText(text);
    Form().btnSendDataClick();
    const std::string sent =
        ReceivedWhen([&](const std::string& bytes) { return bytes.size() >= text.size(); });
    EXPECT_EQ(sent.size(), text.size());
    EXPECT_TRUE(sent == text) << "the data arrived changed";
    EXPECT_EQ(TX(), static_cast<std::int64_t>(text.size()));
}

TEST_F(ManualSendTest, CounterThatIsNoNumberGivesTheSendError) {
    Form().lbTX->SetCaption("x");
    Form().mmSendData->SetText("AT");
    Form().btnSendDataClick();
    EXPECT_EQ(Messages().Warnings, std::vector<std::string>{SendError});
    EXPECT_TRUE(Messages().Errors.empty());
    EXPECT_TRUE(Form().btnSendData->Enabled());
}

TEST_F(ManualSendTest, RefillDataEmptiesOnlyTheSendArea) {
    Form().mmSendData->SetText("AT");
    Form().cbSendHex->SetChecked(true);
    Form().cbNewLine->SetChecked(true);
    Form().lbTX->SetCaption("12");
    QtWidgetOf<QAbstractButton>(Form().btnClearSend)->click();
    EXPECT_EQ(Form().mmSendData->Text(), "");
    EXPECT_TRUE(Form().cbSendHex->Checked());
    EXPECT_TRUE(Form().cbNewLine->Checked());
    EXPECT_EQ(TX(), 12);
}

TEST_F(ManualSendTest, IntervalEditsTakeDigitsAndTheEditingKeys) {
    for (TEdit* control : {Form().edtTimer, Form().edtCycleTimer}) {
        control->SetText("");
        QWidget* edit = QtWidgetOf(control);
        QTest::keyClicks(edit, "1a2-3 x");
        EXPECT_EQ(control->Text(), "123");
        QTest::keyClick(edit, Qt::Key_Backspace);
        EXPECT_EQ(control->Text(), "12");
        QTest::keyClick(edit, Qt::Key_Home);
        // As X11 delivers it: Delete carries the text DEL.
        QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
        QApplication::sendEvent(edit, &del);
        EXPECT_EQ(control->Text(), "2");
    }
}

// ---- Automatic sending ----------------------------------------------------------------

struct Controls {
    bool autoChecked, autoEnabled, timerEditEnabled, autoRunning;
    bool cycleChecked, cycleEnabled, cycleEditEnabled, cycleRunning;
    bool sendButtons;
    bool operator==(const Controls&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Controls& c) {
    return os << "auto " << c.autoChecked << c.autoEnabled << c.timerEditEnabled << c.autoRunning
              << " cycle " << c.cycleChecked << c.cycleEnabled << c.cycleEditEnabled
              << c.cycleRunning << " buttons " << c.sendButtons;
}

Controls Read(TfrmMain& f) {
    EXPECT_EQ(f.btnSendData->Enabled(), f.btnSendFile->Enabled());
    return {f.cbAutoSend->Checked(),    f.cbAutoSend->Enabled(),  f.edtTimer->Enabled(),
            f.tmAutoSend->Enabled(),    f.cbCycleSend->Checked(), f.cbCycleSend->Enabled(),
            f.edtCycleTimer->Enabled(), f.tmCycleSend->Enabled(), f.btnSendData->Enabled()};
}

constexpr Controls Idle{false, true, true, false, false, true, true, false, true};
constexpr Controls AutoOn{true, true, false, true, false, false, true, false, false};
constexpr Controls CycleOn{false, false, true, false, true, true, false, true, false};

using TimedSendTest = SendWindowTest;

TEST_F(TimedSendTest, AutoSendRunsRepeatedlyAndStopsCleanly) {
    EXPECT_EQ(Read(Form()), Idle);
    Form().mmSendData->SetText("AT\r\n");
    Form().edtTimer->SetText("20");
    QtWidgetOf<QAbstractButton>(Form().cbAutoSend)->click();
    EXPECT_EQ(Read(Form()), AutoOn);
    EXPECT_EQ(Form().tmAutoSend->Interval(), 20);
    ReceivedWhen([](const std::string& bytes) { return bytes.size() >= 6; });
    // The next ticks send what the area holds then.
    Form().mmSendData->SetText("OK");
    ReceivedWhen([](const std::string& bytes) { return bytes.ends_with("OK"); });
    QtWidgetOf<QAbstractButton>(Form().cbAutoSend)->click();
    EXPECT_EQ(Read(Form()), Idle);
    const std::string sent = TakeReceived();
    ASSERT_TRUE(sent.starts_with("ATATAT")) << sent;
    EXPECT_TRUE(sent.ends_with("OK")) << sent;
    EXPECT_EQ(TX(), static_cast<std::int64_t>(sent.size()));
    EXPECT_TRUE(Messages().Warnings.empty());
}

TEST_F(TimedSendTest, AutoSendWithClosedPortIsRefused) {
    ClosePort();
    Form().cbAutoSend->SetChecked(true);
    EXPECT_EQ(Messages().Warnings, std::vector<std::string>{OpenFirstTimed});
    EXPECT_EQ(Read(Form()), Idle);
}

TEST_F(TimedSendTest, WrongIntervalKeepsThePreviousOne) {
    Form().edtTimer->SetText("250");
    Form().cbAutoSend->SetChecked(true);
    Form().cbAutoSend->SetChecked(false);
    Form().edtTimer->SetText("");
    Form().cbAutoSend->SetChecked(true);
    EXPECT_EQ(Messages().Warnings, std::vector<std::string>{"Auto send setting wrong"});
    EXPECT_EQ(Read(Form()), AutoOn);
    EXPECT_EQ(Form().tmAutoSend->Interval(), 250);

    Form().cbAutoSend->SetChecked(false);
    Form().edtCycleTimer->SetText("99999999999");
    Form().cbCycleSend->SetChecked(true);
    EXPECT_EQ(Messages().Warnings.back(), "Circular send setting wrong");
    EXPECT_EQ(Read(Form()), CycleOn);
    EXPECT_EQ(Form().tmCycleSend->Interval(), 1000);
}

TEST_F(TimedSendTest, ZeroIntervalKeepsAutoSendOnWithoutSending) {
    Form().mmSendData->SetText("AT");
    Form().edtTimer->SetText("0");
    Form().cbAutoSend->SetChecked(true);
    EXPECT_EQ(Read(Form()), AutoOn);
    QTest::qWait(200);
    EXPECT_EQ(TakeReceived(), "");
    EXPECT_EQ(TX(), 0);
}

TEST_F(TimedSendTest, StartingOneKindStopsTheOther) {
    Form().edtCycleTimer->SetText("100000");
    StartAutoSendWithoutTicks();
    EXPECT_EQ(Read(Form()), AutoOn);
    // Cyclic sending's box is disabled then, but code may still check it.
    Form().cbCycleSend->SetChecked(true);
    EXPECT_EQ(Read(Form()), CycleOn);
    Form().cbCycleSend->SetChecked(false);
    EXPECT_EQ(Read(Form()), Idle);
    Form().cbCycleSend->SetChecked(true);
    Form().cbAutoSend->SetChecked(true);
    EXPECT_EQ(Read(Form()), AutoOn);
}

TEST_F(TimedSendTest, ClosingThePortEndsEitherKind) {
    Form().edtCycleTimer->SetText("100000");
    StartAutoSendWithoutTicks();
    ClosePort();
    EXPECT_EQ(Read(Form()), Idle);

    Form().btnCOMClick();
    ASSERT_TRUE(PortOpen());
    Form().cbCycleSend->SetChecked(true);
    EXPECT_EQ(Read(Form()), CycleOn);
    ClosePort();
    EXPECT_EQ(Read(Form()), Idle);
    EXPECT_TRUE(Messages().Warnings.empty());
}

TEST_F(TimedSendTest, CyclicIntervalChangeStopsOnlyTheAutoTimer) {
    StartAutoSendWithoutTicks();
    QTest::keyClicks(QtWidgetOf(Form().edtCycleTimer), "5");
    EXPECT_FALSE(Form().tmAutoSend->Enabled());
    EXPECT_TRUE(Form().cbAutoSend->Checked());
    EXPECT_FALSE(Form().btnSendData->Enabled());
}

TEST_F(TimedSendTest, AutoTickWithBadHexKeepsRunning) {
    StartAutoSendWithoutTicks();
    Form().cbSendHex->SetChecked(true);
    Form().mmSendData->SetText("4g");
    Form().tmAutoSendTimer();
    Form().tmAutoSendTimer();
    EXPECT_EQ(Messages().Warnings, std::vector<std::string>(2, NotHex));
    EXPECT_EQ(Read(Form()), AutoOn);
    EXPECT_EQ(TakeReceived(), "");
}

TEST_F(TimedSendTest, AutoTickSendErrorStopsAutoSending) {
    StartAutoSendWithoutTicks();
    Form().lbTX->SetCaption("?");
    Form().mmSendData->SetText("AT");
    Form().tmAutoSendTimer();
    EXPECT_EQ(Messages().Warnings, std::vector<std::string>{SendError});
    EXPECT_EQ(Read(Form()), Idle);
}

TEST_F(TimedSendTest, TicksWhileATickBoxIsOpenNeitherStackBoxesNorSend) {
    StartAutoSendWithoutTicks();
    Form().cbSendHex->SetChecked(true);
    Form().mmSendData->SetText("zz");
    int nested = 0;
    Messages().DuringShow = [&] {
        // The box is open: the ticks that come now find a good text and must still wait.
        Form().mmSendData->SetText("41");
        if (++nested > 3)
            return;
        Form().tmAutoSendTimer();
        Form().tmCycleSendTimer();
    };
    Form().tmAutoSendTimer();
    Messages().DuringShow = nullptr;
    EXPECT_EQ(Messages().Warnings, std::vector<std::string>{NotHex});
    EXPECT_EQ(TakeReceived(), "");
    // Once the box is closed the ticks send again.
    Form().tmAutoSendTimer();
    EXPECT_EQ(TakeReceived(), "A");
}

} // namespace
