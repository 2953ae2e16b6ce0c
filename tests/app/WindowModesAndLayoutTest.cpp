// Window modes, the status-bar tools and the layout of the window at 96 dpi.
#include "WindowTestSupport.h"
#include "receive/ReceiveView.h"
#include "ui/qt/QtWidgetOf.h"

#include <QAbstractButton>
#include <QScrollArea>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace pellow {
namespace {

using test::Pty;
using test::ScratchFolder;
using test::TestWindow;
using test::WaitFor;

class ShownWindowTest : public testing::Test {
protected:
    void SetUp() override {
        w_ = std::make_unique<TestWindow>(std::vector<std::string>{pty_.SlavePath()},
                                          folder_.Path());
        f().FormShow();
        QtWidgetOf(f())->show();
        ASSERT_TRUE(WaitFor(
            [&] { return QtWidgetOf(f().gbReceiveData)->width() > 0 && QtWidgetOf(f())->isVisible(); }));
    }
    TfrmMain& f() { return **w_; }
    void Settle() {
        WaitFor([] { return false; }, std::chrono::milliseconds(50));
    }
    Pty pty_;
    ScratchFolder folder_;
    std::unique_ptr<TestWindow> w_;
};

TPicture Image(const TfrmMain& f, int index) {
    TPicture p;
    f.imglDesktop.GetBitmap(index, p);
    return p;
}

TEST_F(ShownWindowTest, StayOnTopAndBack) {
    QtWidgetOf(f())->resize(800, 600);
    Settle();
    const QSize size = QtWidgetOf(f())->size();
    f().btnDesktopClick();
    Settle();
    EXPECT_EQ(QtWidgetOf(f())->size(), size);
    EXPECT_EQ(f().btnDesktop->Hint(), "Stay on top");
    EXPECT_TRUE(QtWidgetOf(f())->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(f().btnDesktop->Glyph(), Image(f(), 0));
    EXPECT_TRUE(QtWidgetOf(f())->isVisible());

    f().btnDesktopClick();
    EXPECT_EQ(f().btnDesktop->Hint(), "Normal window");
    EXPECT_FALSE(QtWidgetOf(f())->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(f().btnDesktop->Glyph(), Image(f(), 1));
    EXPECT_NE(Image(f(), 0), Image(f(), 1));
    EXPECT_EQ(QtWidgetOf(f().btnDesktop)->toolTip().toStdString(), "Normal window");
}

TEST_F(ShownWindowTest, SendListShowsAndHidesNarrowingOnlyTheReceiveArea) {
    const QSize window = QtWidgetOf(f())->size();
    EXPECT_EQ(QtWidgetOf(f().gbReceiveData)->width(), 693);
    f().btnListClick();
    Settle();
    EXPECT_EQ(f().btnList->Caption(), "Normal");
    EXPECT_TRUE(f().pnSendList->Visible());
    EXPECT_EQ(QtWidgetOf(f().gbReceiveData)->width(), 453);
    EXPECT_EQ(QtWidgetOf(f().pnSendList)->geometry(), QRect(0, 0, 240, 328));
    EXPECT_EQ(QtWidgetOf(f())->size(), window);

    f().btnListClick();
    Settle();
    EXPECT_EQ(f().btnList->Caption(), "Extend");
    EXPECT_FALSE(f().pnSendList->Visible());
    EXPECT_EQ(QtWidgetOf(f().gbReceiveData)->width(), 693);
}

TEST_F(ShownWindowTest, TheListsOwnCloseButton) {
    f().btnListClick();
    QtWidgetOf(f().epSendList)->findChild<QToolButton*>(QStringLiteral("CloseButton"))->click();
    EXPECT_FALSE(f().epSendList->Visible());
    EXPECT_FALSE(f().pnSendList->Visible());
    EXPECT_EQ(f().btnList->Caption(), "Normal");
    f().btnListClick();
    EXPECT_TRUE(f().pnSendList->Visible());
    EXPECT_TRUE(f().epSendList->Visible());
    EXPECT_EQ(f().btnList->Caption(), "Normal");
}

TEST_F(ShownWindowTest, CounterReset) {
    f().lbRX->SetCaption("123");
    f().lbTX->SetCaption("-5");
    QtWidgetOf<QAbstractButton>(f().btnCounterReset)->click();
    EXPECT_EQ(f().lbRX->Caption(), "0");
    EXPECT_EQ(f().lbTX->Caption(), "0");
}

TEST_F(ShownWindowTest, DesignSizes) {
    EXPECT_EQ(QtWidgetOf(f())->windowTitle().toStdString(), "Pellow V1.1");
    EXPECT_EQ(QtWidgetOf(f())->size(), QSize(693, 502));
    const std::vector<std::pair<const TControl*, QRect>> places = {
        {f().pnSend, {0, 0, 693, 328}},
        {f().pnBottom, {0, 328, 693, 153}},
        {f().sbMain, {0, 481, 693, 21}},
        {f().btnDesktop, {0, 0, 21, 21}},
        {f().btnList, {21, 0, 62, 21}},
        {f().pnStatus, {83, 0, 276, 21}},
        {f().pnReceiveCount, {359, 0, 81, 21}},
        {f().pnTX, {440, 0, 84, 21}},
        {f().btnCounterReset, {524, 0, 74, 21}},
        {f().pnCOM, {0, 0, 138, 153}},
        {f().pnSendData, {138, 0, 555, 153}},
        {f().pnSendFile, {0, 128, 555, 25}},
        {f().bsSkinPanel1, {444, 0, 111, 128}},
        {f().sgSendData, {0, 0, 444, 128}},
        {f().cbCOM, {64, 3, 66, 20}},
        {f().btnCOM, {64, 110, 56, 21}},
        {f().shCOM, {20, 111, 18, 18}},
        {f().shComIn, {22, 114, 15, 12}},
        {f().lbRX, {24, 4, 54, 13}},
        {f().edtTimer, {45, 44, 44, 19}},
        {f().feFileName, {76, 2, 285, 19}},
        {f().btnSendFile, {366, 2, 74, 21}},
        {f().btnSaveData, {355, 4, 70, 21}},
        {f().btnClose, {643, 456, 49, 45}},
        {f().cbEntry[1], {6, 4, 21, 18}},
        {f().edtEntry[2], {32, 26, 169, 19}},
        {f().btnEntry[20], {209, 439, 20, 19}},
        {f().edtCycleTimer, {174, 5, 47, 19}},
    };
    for (const auto& [control, rect] : places) {
        EXPECT_EQ(QtWidgetOf(control)->geometry(), rect) << control->Name();
    }
    EXPECT_EQ(QtWidgetOf(f().sssbSendData)->width(), 19);
    EXPECT_EQ(QtWidgetOf(f().mmReceive)->parentWidget(), QtWidgetOf(f().gbReceiveData));
}

TEST_F(ShownWindowTest, ResizingGrowsTheFillingPanelsAndKeepsExitInTheCorner) {
    const int sendAreaWidth = QtWidgetOf(f().mmSendData)->width();
    const int receiveHeight = QtWidgetOf(f().mmReceive)->height();
    QtWidgetOf(f())->resize(900, 700);
    Settle();
    EXPECT_EQ(QtWidgetOf(f().btnClose)->geometry(), QRect(850, 654, 49, 45));
    EXPECT_EQ(QtWidgetOf(f().mmSendData)->width(), sendAreaWidth + 207);
    EXPECT_EQ(QtWidgetOf(f().mmReceive)->height(), receiveHeight + 198);
    EXPECT_EQ(QtWidgetOf(f().pnCOM)->size(), QSize(138, 153));
    EXPECT_EQ(QtWidgetOf(f().bsSkinPanel1)->width(), 111);
    EXPECT_EQ(QtWidgetOf(f().pnSendFile)->height(), 25);
    EXPECT_EQ(QtWidgetOf(f().pnStatus)->geometry(), QRect(83, 0, 276, 21));
}

TEST_F(ShownWindowTest, ControlsCarryTheirNamesAndTexts) {
    for (int n = 1; n <= TfrmMain::SendListSize; ++n) {
        const std::string i = std::to_string(n);
        EXPECT_EQ(QtWidgetOf(f())->findChild<QWidget*>(QString::fromStdString("cb" + i)), QtWidgetOf(f().cbEntry[n]));
        EXPECT_EQ(QtWidgetOf(f())->findChild<QWidget*>(QString::fromStdString("edt" + i)), QtWidgetOf(f().edtEntry[n]));
        EXPECT_EQ(QtWidgetOf(f())->findChild<QWidget*>(QString::fromStdString("btn" + i)), QtWidgetOf(f().btnEntry[n]));
        EXPECT_EQ(f().piEntry[n]->Name(), "pi" + i);
        EXPECT_EQ(f().btnEntry[n]->Caption(), i);
        EXPECT_EQ(f().cbEntry[n]->Checked(), n == 1);
    }
    EXPECT_EQ(f().cbBPS->Items(),
              (std::vector<std::string>{"300", "600", "1200", "2400", "4800", "9600", "19200",
                                        "38400", "43000", "56000", "57600", "115200"}));
    EXPECT_EQ(f().cbParity->Items(),
              (std::vector<std::string>{"None", "Even", "Mark", "Odd", "Space"}));
    EXPECT_EQ(f().bsSkinStdLabel1->Caption(), "Serial port\uFF1A");
    EXPECT_EQ(f().cbCycleSend->Caption(), "Circular send the list. Interval:                  ms");
    EXPECT_EQ(f().bsSkinLabel3->Caption(), "Interval                 ms");
    EXPECT_EQ(f().epSendList->Caption(), "Data list to be sent");
    EXPECT_EQ(f().sgSendData->Caption(), "The data to be send");
    EXPECT_EQ(f().N1->Caption(), "\u4FDD\u5B58\u81F3");
    EXPECT_EQ(QtWidgetOf(f().btnSendFile)->toolTip().toStdString(),
              "You can close the serial port to stop sending file.");
    EXPECT_TRUE(QtWidgetOf(f().btnCOM)->toolTip().isEmpty());
    EXPECT_FALSE(QtWidgetOf(f().ssbReceive)->isEnabled());
    EXPECT_EQ(f().tmAutoSend->Interval(), 1000);
}

} // namespace
} // namespace pellow

namespace pellow {
namespace {

TEST_F(ShownWindowTest, EnterPressesSendUnlessAMemoOrButtonHasTheFocus) {
    int sends = 0;
    f().btnSendData->OnClick = [&] { ++sends; };
    QtWidgetOf(f())->activateWindow();
    for (const TControl* c : std::initializer_list<const TControl*>{f().edtTimer, f().cbBPS,
                                                                    f().cbSendHex}) {
        QtWidgetOf(c)->setFocus();
        QTest::keyClick(QtWidgetOf(c), Qt::Key_Return);
    }
    EXPECT_EQ(sends, 3);
    EXPECT_EQ(f().edtTimer->Text(), "1000");
    QtWidgetOf(f().mmSendData)->setFocus();
    QTest::keyClick(QtWidgetOf(f().mmSendData), Qt::Key_Return);
    QtWidgetOf(f().btnCOM)->setFocus();
    QTest::keyClick(QtWidgetOf(f().btnCOM), Qt::Key_Return);
    EXPECT_EQ(sends, 3);
}

} // namespace
} // namespace pellow
