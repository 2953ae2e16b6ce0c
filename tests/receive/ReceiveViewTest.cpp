#include "receive/ReceiveView.h"

#include "receive/LineBreaks.h"
#include "ui/qt/QtWidgetOf.h"
#include "ui/TForm.h"
#include "ui/qt/QtText.h"

#include <QApplication>
#include <QAbstractScrollArea>
#include <QClipboard>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace pellow {
namespace {

QAbstractScrollArea* Area(const ReceiveView& view) {
    return QtWidgetOf<QAbstractScrollArea>(view);
}

class ReceiveViewTest : public testing::Test {
protected:
    ReceiveViewTest() {
        form.SetClientSize(800, 600);
        view.SetBounds({0, 0, 400, 300});
        QtWidgetOf(form)->show();
        columns = view.Columns();
    }

    std::string Line(int cells) { return std::string(static_cast<std::size_t>(cells), 'x'); }

    TForm form{nullptr};
    ReceiveView view{form};
    int columns = 0;
};

TEST_F(ReceiveViewTest, KeepsEveryByteExactly) {
    std::string all;
    for (int b = 0; b < 256; ++b)
        all.push_back(static_cast<char>(b));
    all += "\xe4\xb8"; // a character cut off at the end of a block ...
    view.AppendBytes(all);
    view.AppendBytes("\xad\r");     // ... completed by the next one
    view.AppendBytes("\n\xff\xfe"); // and bytes that never decode
    EXPECT_EQ(view.Bytes(), all + "\xad\r\n\xff\xfe");
    Area(view)->viewport()->grab(); // painting control and undecodable bytes must not disturb them
    EXPECT_EQ(view.Bytes(), all + "\xad\r\n\xff\xfe");
    view.SetBytes(std::string("\0a\0", 3));
    EXPECT_EQ(view.Bytes(), std::string("\0a\0", 3));
    view.Clear();
    EXPECT_EQ(view.Bytes(), "");
    EXPECT_EQ(view.RowCount(), 0);
}

TEST_F(ReceiveViewTest, CountsWrappedRowsAtTheViewWidth) {
    ASSERT_GT(columns, 10);
    // 47 short lines, one line that wraps into three rows, and no final break.
    std::string text;
    for (int i = 0; i < 47; ++i)
        text += "line\r\n";
    text += Line(2 * columns + 1) + "\r\n";
    view.AppendBytes(text);
    EXPECT_EQ(view.RowCount(), 50);
    view.AppendBytes("x");
    EXPECT_EQ(view.RowCount(), 51);
    view.AppendBytes(Line(columns - 1)); // fills the last row exactly
    EXPECT_EQ(view.RowCount(), 51);
    view.AppendBytes("y");
    EXPECT_EQ(view.RowCount(), 52);
}

TEST_F(ReceiveViewTest, WidthChangeRewrapsEverything) {
    view.AppendBytes(Line(100 * columns));
    EXPECT_EQ(view.RowCount(), 100);
    view.SetBounds({0, 0, view.Width() + 200, view.Height()});
    QApplication::processEvents();
    ASSERT_GT(view.Columns(), columns);
    EXPECT_EQ(view.RowCount(), (100 * columns + view.Columns() - 1) / view.Columns());
}

TEST_F(ReceiveViewTest, FollowsTheEndOnlyWhenAtTheBottom) {
    QScrollBar* bar = Area(view)->verticalScrollBar();
    for (int i = 0; i < 200; ++i)
        view.AppendBytes("row\r\n");
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->maximum() > 0; }, 5000));
    EXPECT_EQ(bar->value(), bar->maximum());
    bar->setValue(10);
    view.AppendBytes("more\r\n");
    const int oldMaximum = bar->maximum();
    ASSERT_TRUE(QTest::qWaitFor([&] { return bar->maximum() > oldMaximum; }, 5000));
    EXPECT_EQ(bar->value(), 10);
}

struct KeyCase {
    const char* name;
    Qt::Key key;
    const char* text; // UTF-8
    std::string bytes;
    Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

class ReceiveViewKeyTest : public testing::TestWithParam<KeyCase> {};

TEST_P(ReceiveViewKeyTest, PassesTheCharactersBytes) {
    TForm form(nullptr);
    ReceiveView view(form);
    std::vector<std::string> keys;
    view.OnKeyPress = [&](std::string& key) { keys.push_back(key); };
    QKeyEvent press(QEvent::KeyPress, GetParam().key, GetParam().modifiers,
                    QString::fromUtf8(GetParam().text));
    QApplication::sendEvent(Area(view), &press);
    if (GetParam().bytes.empty())
        EXPECT_TRUE(keys.empty());
    else
        EXPECT_EQ(keys, std::vector<std::string>{GetParam().bytes});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReceiveViewKeyTest,
    testing::Values(KeyCase{"Letter", Qt::Key_A, "a", "a"},
                    KeyCase{"CjkCharacter", Qt::Key_unknown, "\xe4\xb8\xad", "\xe4\xb8\xad"},
                    KeyCase{"Return", Qt::Key_Return, "\r", "\r"},
                    KeyCase{"EnterWithoutText", Qt::Key_Enter, "", "\r"},
                    KeyCase{"Backspace", Qt::Key_Backspace, "\b", "\b"},
                    KeyCase{"Escape", Qt::Key_Escape, "\x1b", "\x1b"},
                    KeyCase{"ArrowHasNoText", Qt::Key_Left, "", ""},
                    // X11 attaches DEL to Delete and the control character to Ctrl+letter;
                    // other platforms attach the letter.
                    KeyCase{"DeleteTypesNothing", Qt::Key_Delete, "\x7f", ""},
                    KeyCase{"CtrlC", Qt::Key_C, "\x03", "\x03", Qt::ControlModifier},
                    KeyCase{"CtrlAWithTheLetter", Qt::Key_A, "a", "\x01", Qt::ControlModifier},
                    KeyCase{"CtrlBracketRight", Qt::Key_BracketRight, "\x1d", "\x1d",
                            Qt::ControlModifier},
                    KeyCase{"ShiftAlone", Qt::Key_Shift, "", ""}),
    [](const testing::TestParamInfo<KeyCase>& info) { return info.param.name; });

TEST_F(ReceiveViewTest, TerminalCopyKeysCopyAndSendNothing) {
    std::vector<std::string> keys;
    view.OnKeyPress = [&](std::string& key) { keys.push_back(key); };
    // What is copied pastes back as the bytes received, the undecodable one included.
    const std::string all = "abc\r\n\xe4\xb8\xad\xff";
    view.AppendBytes(all);
    view.SelectAll();
    QApplication::clipboard()->clear();
    QTest::keyClick(Area(view), Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(ToStdString(QApplication::clipboard()->text()), all);
    QApplication::clipboard()->clear();
    QKeyEvent ctrlShiftC(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier,
                         QStringLiteral("\x03"));
    QApplication::sendEvent(Area(view), &ctrlShiftC);
    EXPECT_EQ(ToStdString(QApplication::clipboard()->text()), all);
    EXPECT_TRUE(keys.empty());
}

TEST_F(ReceiveViewTest, MouseDragSelectsAndCopyTakesTheSelection) {
    view.AppendBytes("hello\r\nworld");
    QApplication::processEvents();
    QWidget* viewport = Area(view)->viewport();
    const int firstRow = Area(view)->fontMetrics().height() / 2;
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, QPoint(1, firstRow));
    QMouseEvent move(QEvent::MouseMove, QPointF(viewport->width() - 2, firstRow),
                     viewport->mapToGlobal(QPointF(viewport->width() - 2, firstRow)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier,
                        QPoint(viewport->width() - 2, firstRow));
    EXPECT_EQ(view.SelectionStart(), 0u);
    EXPECT_EQ(view.SelectionEnd(), 5u);
    view.Copy();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("hello"));
    view.Select(3, 9);
    view.Copy();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("lo\r\nwo"));
}

TEST_F(ReceiveViewTest, TracksLoneLineBreaks) {
    view.AppendBytes("a\r");
    EXPECT_TRUE(view.HasLoneLineBreak());
    view.AppendBytes("\nb");
    EXPECT_FALSE(view.HasLoneLineBreak());
    view.AppendBytes("\n");
    EXPECT_TRUE(view.HasLoneLineBreak());
    view.Clear();
    EXPECT_FALSE(view.HasLoneLineBreak());
}

// After a width change the rows are counted in slices; once settled the scroll range and
// the count are those of wrapping everything afresh, and painting meanwhile is harmless.
TEST_F(ReceiveViewTest, WidthChangeSettlesOnTheFreshCount) {
    std::string text;
    for (int i = 0; i < 4000; ++i)
        text += Line(1 + i % (3 * columns)) + (i % 7 == 0 ? "\r\n" : " ");
    view.AppendReceived(text);
    view.SetBounds({0, 0, view.Width() - 90, view.Height()});
    Area(view)->viewport()->grab();
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.RowsSettled(); }, 20000));
    RowIndex fresh(view.Columns());
    fresh.Update(view.Bytes());
    EXPECT_EQ(view.RowCount(), fresh.RowCount());
    QScrollBar* bar = Area(view)->verticalScrollBar();
    EXPECT_EQ(bar->maximum() + bar->pageStep(), fresh.RowCount());
}

// Past its memory limit the area drops its oldest rows and goes on: what it holds is the
// end of what arrived, from a row start, and never nothing.
TEST_F(ReceiveViewTest, DropsTheOldestRowsPastItsMemoryLimit) {
    view.SetMemoryLimit(4 << 20);
    std::string all;
    for (int i = 0; i < 700000; ++i)
        all += "line " + std::to_string(i) + "\n";
    for (std::size_t pos = 0; pos < all.size(); pos += 2048)
        view.AppendReceived(std::string_view(all).substr(pos, 2048));
    all = NormaliseLineBreaks(all);
    const std::string held = view.Bytes();
    ASSERT_FALSE(held.empty());
    EXPECT_LT(held.size(), all.size());
    EXPECT_LE(view.Text().Footprint(), std::uint64_t(6) << 20);
    EXPECT_TRUE(all.ends_with(held));
    EXPECT_TRUE(held.starts_with("line "));
    EXPECT_EQ(view.RowCount(), std::count(held.begin(), held.end(), '\n'));
}

} // namespace
} // namespace pellow
