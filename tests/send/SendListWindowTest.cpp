#include "SendWindowFixture.h"
#include "receive/ReceiveView.h"
#include "ui/qt/QtWidgetOf.h"

#include <QApplication>
#include <QAbstractButton>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextCursor>

using namespace pellow;
using namespace pellow::test;

namespace {

constexpr const char* NotHex = "Can not be sent in HEX mode, the Data is not HEX totally!";
constexpr const char* OpenFirst = "Please open the serial port first!";

using SendListTest = SendWindowTest;

TEST_F(SendListTest, EntriesOneAndThreeAlternateAndRestartFromOne) {
    SetSendList({"A", "", "C"});
    StartCyclicSendWithoutTicks();
    std::string shown;
    for (int tick = 0; tick < 5; ++tick) {
        Form().tmCycleSendTimer();
        shown += Form().mmSendData->Text();
    }
    EXPECT_EQ(shown, "ACACA");
    EXPECT_EQ(TakeReceived(), "ACACA");

    Form().cbCycleSend->SetChecked(false);
    StartCyclicSendWithoutTicks();
    Form().tmCycleSendTimer();
    EXPECT_EQ(TakeReceived(), "A");
}

TEST_F(SendListTest, CyclicTimerSendsEntriesAfterEachOther) {
    SetSendList({"A", "", "C"});
    Form().edtCycleTimer->SetText("20");
    QtWidgetOf<QAbstractButton>(Form().cbCycleSend)->click();
    ReceivedWhen([](const std::string& bytes) { return bytes.size() >= 6; });
    QtWidgetOf<QAbstractButton>(Form().cbCycleSend)->click();
    const std::string sent = TakeReceived();
    ASSERT_GE(sent.size(), 6u);
    for (std::size_t i = 0; i < sent.size(); ++i)
        ASSERT_EQ(sent[i], i % 2 == 0 ? 'A' : 'C') << sent;
}

TEST_F(SendListTest, AllEntriesEmptyTickSendsNothingAndReturns) {
    SetSendList({});
    Form().cbNewLine->SetChecked(true);
    StartCyclicSendWithoutTicks();
    Form().tmCycleSendTimer();
    EXPECT_EQ(TakeReceived(), "");
    EXPECT_EQ(TX(), 0);
    EXPECT_TRUE(Form().tmCycleSend->Enabled());
}

TEST_F(SendListTest, BlankEntryIsChosenAndSendsOnlyTheNewline) {
    SetSendList({"A", "   "});
    Form().cbNewLine->SetChecked(true);
    StartCyclicSendWithoutTicks();
    Form().tmCycleSendTimer();
    Form().tmCycleSendTimer();
    EXPECT_EQ(TakeReceived(), "A\r\n\r\n");
}

TEST_F(SendListTest, HexEntryThatFailsDoesNotStopCyclicSending) {
    SetSendList({"31 zz", "", "C"});
    Form().cbEntry[1]->SetChecked(true);
    StartCyclicSendWithoutTicks();
    for (int tick = 0; tick < 4; ++tick)
        Form().tmCycleSendTimer();
    EXPECT_EQ(TakeReceived(), "CC");
    EXPECT_EQ(Messages().Warnings, std::vector<std::string>(2, NotHex));
    EXPECT_TRUE(Form().tmCycleSend->Enabled());
    EXPECT_TRUE(Form().cbCycleSend->Checked());
}

TEST_F(SendListTest, EntryButtonShowsTheEntryWithItsModeThenSends) {
    SetSendList({"", "31 32"});
    QtWidgetOf<QAbstractButton>(Form().btnEntry[2])->click();
    EXPECT_EQ(TakeReceived(), "31 32");
    EXPECT_FALSE(Form().cbSendHex->Checked());

    Form().cbEntry[2]->SetChecked(true);
    QtWidgetOf<QAbstractButton>(Form().btnEntry[2])->click();
    EXPECT_EQ(TakeReceived(), "12");
    EXPECT_TRUE(Form().cbSendHex->Checked());
    EXPECT_EQ(Form().mmSendData->Text(), "31 32");

    // A failing entry still ends up in the send area, in its mode.
    Form().edtEntry[4]->SetText(" 0x41\t");
    Form().cbEntry[4]->SetChecked(true);
    Form().cbSendHex->SetChecked(false);
    Form().btnNClick(4);
    EXPECT_EQ(Form().mmSendData->Text(), " 0x41\t");
    EXPECT_TRUE(Form().cbSendHex->Checked());
    EXPECT_EQ(Messages().Warnings, std::vector<std::string>{NotHex});
    EXPECT_EQ(TX(), 7);
}

TEST_F(SendListTest, EntryButtonWithClosedPortWarnsAndCounts) {
    SetSendList({"ABC"});
    ClosePort();
    Form().btnNClick(1);
    EXPECT_EQ(Messages().Warnings, std::vector<std::string>{OpenFirst});
    EXPECT_EQ(Form().mmSendData->Text(), "ABC");
    EXPECT_EQ(TX(), 3);
}

TEST_F(SendListTest, EntryPressedDuringAutoSendChangesWhatTheTicksSend) {
    SetSendList({"", "", "41"});
    Form().cbEntry[3]->SetChecked(true);
    Form().mmSendData->SetText("x");
    StartAutoSendWithoutTicks();
    Form().btnNClick(3);
    Form().tmAutoSendTimer();
    EXPECT_EQ(TakeReceived(), "AA");
}

TEST_F(SendListTest, MenuItemCopiesTheWholeSendAreaIntoTheEntry) {
    Form().cbEntry[5]->SetChecked(true);
    Form().mmSendData->SetText("one\r\ntwo");
    Form().piEntry[5]->Click();
    EXPECT_EQ(Form().edtEntry[5]->Text(), "one\r\ntwo");
    EXPECT_TRUE(Form().cbEntry[5]->Checked());
    // Saved at once, line break and all.
    EXPECT_EQ(Form().SettingsFile->ReadString("SendList", "data5", ""), "one\r\ntwo");
    EXPECT_EQ(Form().SettingsFile->ReadString("SendList", "5", ""), "1");
}

TEST_F(SendListTest, OpeningTheMenuCopiesTheSelection) {
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->setText("before");
    Form().mmSendData->SetText("hello world");
    Form().pmSavetoListPopup();
    EXPECT_EQ(clipboard->text(), "before");

    QTextCursor cursor = QtWidgetOf<QPlainTextEdit>(Form().mmSendData)->textCursor();
    cursor.setPosition(6);
    cursor.setPosition(11, QTextCursor::KeepAnchor);
    QtWidgetOf<QPlainTextEdit>(Form().mmSendData)->setTextCursor(cursor);
    Form().pmSavetoListPopup();
    EXPECT_EQ(clipboard->text(), "world");
}

// ---- Keyboard sending -----------------------------------------------------------------

using KeyboardSendTest = SendWindowTest;

TEST_F(KeyboardSendTest, TypedKeysGoOutOneByOneIgnoringTheSendOptions) {
    Form().mmSendData->SetText("x");
    Form().cbSendHex->SetChecked(true);
    Form().cbNewLine->SetChecked(true);
    QTest::keyClick(QtWidgetOf(Form().mmReceive), 'A');
    QTest::keyClick(QtWidgetOf(Form().mmReceive), 'T');
    QTest::keyClick(QtWidgetOf(Form().mmReceive), Qt::Key_Return);
    QTest::keyClick(QtWidgetOf(Form().mmReceive), '4');
    EXPECT_EQ(TakeReceived(), "AT\r4");
    EXPECT_EQ(TX(), 4);
    // Enter went out as a carriage return alone, and the send area keeps just that.
    EXPECT_EQ(Form().mmSendData->Text(), "xAT\r4");
    EXPECT_TRUE(Messages().Warnings.empty());
}

TEST_F(KeyboardSendTest, ControlKeysGoOutAndDeleteSendsNothing) {
    for (Qt::Key key : {Qt::Key_A, Qt::Key_B, Qt::Key_C})
        QTest::keyClick(QtWidgetOf(Form().mmReceive), key, Qt::ControlModifier);
    QTest::keyClick(QtWidgetOf(Form().mmReceive), Qt::Key_Delete);
    EXPECT_EQ(TakeReceived(), "\x01\x02\x03");
    EXPECT_EQ(TX(), 3);
}

TEST_F(KeyboardSendTest, CharacterBeyondAsciiGoesAsAllItsBytes) {
    std::string key = "\xc3\xa9";
    Form().mmReceiveKeyPress(key);
    EXPECT_EQ(TakeReceived(), "\xc3\xa9");
    EXPECT_EQ(TX(), 2);
    EXPECT_EQ(Form().mmSendData->Text(), "\xc3\xa9");
}

TEST_F(KeyboardSendTest, ClosedPortTakesNoKeys) {
    ClosePort();
    QTest::keyClick(QtWidgetOf(Form().mmReceive), 'A');
    EXPECT_EQ(TX(), 0);
    EXPECT_EQ(Form().mmSendData->Text(), "");
    EXPECT_TRUE(Messages().Warnings.empty());
}

} // namespace
