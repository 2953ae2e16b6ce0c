// The control adapter: when events run, and the general error report.
#include "ui/TButton.h"
#include "ui/TCheckBox.h"
#include "ui/TComboBox.h"
#include "ui/TDispatcher.h"
#include "ui/TEdit.h"
#include "ui/TForm.h"
#include "ui/TTimer.h"
#include "ui/qt/QtWidgetOf.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QAbstractButton>
#include <QComboBox>
#include <QTest>
#include <gtest/gtest.h>

#include <stdexcept>

namespace pellow {
namespace {

class ControlsTest : public testing::Test {
protected:
    std::vector<std::string> reports_;
    TDispatcher dispatcher_{[this](const std::string& m) { reports_.push_back(m); }};
    TForm parent_{&dispatcher_};
};

TEST_F(ControlsTest, CheckBoxSetFromCodeAlwaysRunsItsClickHandler) {
    TCheckBox box(parent_, "Auto send");
    std::vector<bool> seen;
    box.OnClick = [&] { seen.push_back(box.Checked()); };
    box.SetChecked(false); // no change, still runs
    box.SetChecked(true);
    box.SetChecked(true);
    EXPECT_EQ(seen, (std::vector<bool>{false, true, true}));
}

TEST_F(ControlsTest, UserClickRunsTheHandlerAfterTheChange) {
    TCheckBox box(parent_, "Auto send");
    std::vector<bool> seen;
    box.OnClick = [&] { seen.push_back(box.Checked()); };
    QtWidgetOf(parent_)->show();
    QTest::mouseClick(QtWidgetOf(box), Qt::LeftButton, {}, QPoint(5, QtWidgetOf(box)->height() / 2));
    QtWidgetOf<QAbstractButton>(box)->click();
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
}

TEST_F(ControlsTest, HandlerUncheckingItsOwnBoxRunsAgainInside) {
    TCheckBox box(parent_, "Cycle");
    std::vector<bool> seen;
    box.OnClick = [&] {
        seen.push_back(box.Checked());
        if (box.Checked()) {
            box.SetChecked(false);
        }
    };
    box.SetChecked(true);
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
    EXPECT_FALSE(box.Checked());
}

TEST_F(ControlsTest, EditChangeOnlyOnARealChange) {
    TEdit edit(parent_, "1000");
    int changes = 0;
    edit.OnChange = [&] { ++changes; };
    edit.SetText("1000");
    EXPECT_EQ(changes, 0);
    edit.SetText("500");
    EXPECT_EQ(changes, 1);
    QTest::keyClicks(QtWidgetOf(edit), "7");
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(edit.Text(), "5007");
}

TEST_F(ControlsTest, KeyPressCanDiscardTheKey) {
    TEdit edit(parent_, "");
    edit.OnKeyPress = [](char& key) {
        if (!(key >= '0' && key <= '9') && key != 8) {
            key = 0;
        }
    };
    QTest::keyClicks(QtWidgetOf(edit), "1a2b");
    EXPECT_EQ(edit.Text(), "12");
    QTest::keyClick(QtWidgetOf(edit), Qt::Key_Backspace);
    EXPECT_EQ(edit.Text(), "1");
}

TEST_F(ControlsTest, ComboChangeOnlyWhenTheShownTextChanges) {
    TComboBox box(parent_, TComboBox::TStyle::DropDownList);
    box.SetItems({"5", "6", "7", "8"});
    std::vector<std::string> seen;
    box.OnChange = [&] { seen.push_back(box.Text()); };
    box.SetItemIndex(3);
    box.SetItemIndex(3);
    QtWidgetOf<QComboBox>(box)->setCurrentIndex(1); // as the user picks it
    box.SetItemIndex(9);    // outside the list: nothing selected, nothing shown
    EXPECT_EQ(seen, (std::vector<std::string>{"8", "6", ""}));
    EXPECT_EQ(box.ItemIndex(), -1);
}

TEST_F(ControlsTest, SortedComboKeepsListOrderAndItsText) {
    TComboBox box(parent_, TComboBox::TStyle::DropDown, true);
    box.SetText("typed");
    box.SetItems({"COM2", "COM10", "com1"});
    EXPECT_EQ(box.Items(), (std::vector<std::string>{"com1", "COM2", "COM10"}));
    EXPECT_EQ(box.Text(), "typed");
    box.ClearItems();
    EXPECT_EQ(box.Text(), "typed");
}

TEST_F(ControlsTest, EscapingExceptionIsReportedAndTheControlStaysUsable) {
    TButton button(parent_, "Save data");
    int runs = 0;
    button.OnClick = [&] {
        ++runs;
        throw std::runtime_error("Cannot create file \"x\".");
    };
    QtWidgetOf<QAbstractButton>(button)->click();
    QtWidgetOf<QAbstractButton>(button)->click();
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(reports_,
              (std::vector<std::string>{"Cannot create file \"x\".", "Cannot create file \"x\"."}));
}

TEST_F(ControlsTest, ExceptionInAHandlerRunFromCodeStopsTheCaller) {
    TCheckBox box(parent_, "Auto send");
    box.OnClick = [] { throw std::runtime_error("inner"); };
    TButton button(parent_, "Send");
    bool after = false;
    button.OnClick = [&] {
        box.SetChecked(false);
        after = true;
    };
    QtWidgetOf<QAbstractButton>(button)->click();
    EXPECT_FALSE(after);
    EXPECT_EQ(reports_, std::vector<std::string>{"inner"});
}

TEST_F(ControlsTest, PropertiesAreTheControlsOwn) {
    TButton button(parent_, "Send");
    QtWidgetOf(parent_)->setEnabled(false);
    EXPECT_TRUE(button.Enabled());
    button.SetEnabled(false);
    QtWidgetOf(parent_)->setEnabled(true);
    EXPECT_FALSE(button.Enabled());
    EXPECT_TRUE(button.Visible()); // the parent was never shown
    button.SetHint("Stop the display of receive data.");
    EXPECT_TRUE(QtWidgetOf(button)->toolTip().isEmpty());
    button.SetShowHint(true);
    EXPECT_EQ(QtWidgetOf(button)->toolTip().toStdString(), "Stop the display of receive data.");
}

void RunEventsFor(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

TEST_F(ControlsTest, TimerIntervalZeroGivesNoTicksUnlessAsked) {
    TTimer silent(&dispatcher_, 0);
    TTimer fast(&dispatcher_, 0, true);
    int silentTicks = 0;
    int fastTicks = 0;
    silent.OnTimer = [&] { ++silentTicks; };
    fast.OnTimer = [&] {
        ++fastTicks;
        if (fastTicks == 3) {
            fast.SetEnabled(false);
        }
    };
    silent.SetEnabled(true);
    fast.SetEnabled(true);
    RunEventsFor(300);
    EXPECT_TRUE(silent.Enabled());
    EXPECT_EQ(silentTicks, 0);
    EXPECT_EQ(fastTicks, 3);
    EXPECT_FALSE(fast.Enabled());
}

TEST_F(ControlsTest, TimerTickErrorsAreReported) {
    TTimer timer(&dispatcher_, 1);
    timer.OnTimer = [&] {
        timer.SetEnabled(false);
        throw std::invalid_argument("'x' is not a valid integer value");
    };
    timer.SetEnabled(true);
    QElapsedTimer clock;
    clock.start();
    while (reports_.empty() && clock.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    EXPECT_EQ(reports_, std::vector<std::string>{"'x' is not a valid integer value"});
}

} // namespace
} // namespace pellow
