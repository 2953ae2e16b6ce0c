// The user's bytes in the controls: the conversion to the toolkit's strings and back, the
// send area and the one-line edits.
#include "ui/TEdit.h"
#include "ui/TForm.h"
#include "ui/TMemo.h"
#include "ui/qt/QtText.h"
#include "ui/qt/QtWidgetOf.h"

#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QTest>
#include <gtest/gtest.h>

#include <random>

namespace pellow {
namespace {

std::string AllByteValues() {
    std::string bytes;
    for (int b = 0; b < 256; ++b) {
        bytes += static_cast<char>(b);
    }
    return bytes;
}

TEST(TextBytesTest, EveryByteStringComesBackUnchanged) {
    for (int first = 0; first < 256; ++first) {
        for (int second = 0; second < 256; ++second) {
            const std::string pair{static_cast<char>(first), static_cast<char>(second)};
            ASSERT_EQ(ToStdString(ToQString(pair)), pair) << first << ' ' << second;
        }
    }
    // Random strings, weighted to bytes that start or continue multi-byte sequences.
    std::mt19937 random(20240917);
    std::uniform_int_distribution<int> length(0, 40);
    std::uniform_int_distribution<int> byte(0, 255);
    std::uniform_int_distribution<int> high(0x80, 0xF7);
    for (int round = 0; round < 20000; ++round) {
        std::string bytes;
        for (int i = length(random); i > 0; --i) {
            bytes += static_cast<char>(i % 3 == 0 ? byte(random) : high(random));
        }
        ASSERT_EQ(ToStdString(ToQString(bytes)), bytes);
    }
    EXPECT_EQ(ToStdString(ToQString(AllByteValues())), AllByteValues());
}

TEST(TextBytesTest, ValidUtf8ReadsAsTextAndOtherBytesStayVisible) {
    for (const char* utf8 : {"Gr\xC3\xB6\xC3\x9F\x65", "\xE4\xBD\xA0\xE5\xA5\xBD",
                             "\xF0\x9F\x98\x80", "\xC2\xA0\xE2\x80\xA8\xEF\xBB\xBF"}) {
        EXPECT_EQ(ToQString(utf8), QString::fromUtf8(utf8)) << utf8;
    }
    // CP1252 and GBK: one visible character for each byte that is not UTF-8.
    EXPECT_EQ(ToQString("Gr\xFC\xDF\x65").size(), 5);
    EXPECT_EQ(ToQString("\xC4\xE3\xBA\xC3").size(), 4);
    // Overlong forms and encoded surrogates are not text either.
    EXPECT_NE(ToQString("\xC0\xAF"), QStringLiteral("/"));
    EXPECT_EQ(ToQString("\xED\xA0\x80").size(), 3);
}

class SendAreaTest : public testing::Test {
protected:
    QPlainTextEdit& Shown(TMemo& memo) { return *QtWidgetOf<QPlainTextEdit>(memo); }

    TForm parent_{nullptr};
    TMemo memo_{parent_};
    QPlainTextEdit& shown_ = Shown(memo_);
};

TEST_F(SendAreaTest, KeepsEveryByteAndEveryKindOfLineBreak) {
    const std::string text = AllByteValues() + "a\rb\nc\r\nd\r\r\n\n" + "\xC2\xA0\xE2\x80\xA8" +
                             "\xE2\x80\xA9\xEF\xB7\x90" + "\xFC\xDF";
    memo_.SetText(text);
    EXPECT_EQ(memo_.Text(), text);
    EXPECT_EQ(shown_.document()->blockCount(), 11); // each of the ten line breaks shows
    // Typed at the end: the text is then read from what the document holds.
    QTest::keyClicks(&shown_, "x");
    EXPECT_EQ(memo_.Text(), text + "x");
}

TEST_F(SendAreaTest, EnterTypesCrLfWhileAppendedAndPastedBreaksStayAsTheyCame) {
    QTest::keyClicks(&shown_, "a");
    QTest::keyClick(&shown_, Qt::Key_Return);
    QTest::keyClick(&shown_, Qt::Key_Return, Qt::ShiftModifier);
    memo_.Append("\r");
    QApplication::clipboard()->setText(QStringLiteral("x\ny\rz") + QChar(0x00A0) + QChar(0x2028));
    shown_.paste();
    EXPECT_EQ(memo_.Text(), "a\r\n\r\n\rx\ny\rz\xC2\xA0\xE2\x80\xA8");
}

TEST_F(SendAreaTest, EditingCopyingAndUndoKeepTheOtherLineBreaks) {
    memo_.SetText("1\r2\n3\r\n4");
    QTextCursor cursor = shown_.textCursor();
    cursor.setPosition(3); // after "2": removing it and its LF joins "1\r" and "3"
    cursor.setPosition(5, QTextCursor::KeepAnchor);
    shown_.setTextCursor(cursor);
    EXPECT_EQ(memo_.SelText(), "\n3");
    shown_.cut();
    EXPECT_EQ(memo_.Text(), "1\r2\r\n4");
    shown_.undo();
    EXPECT_EQ(memo_.Text(), "1\r2\n3\r\n4");

    cursor.setPosition(0);
    cursor.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
    shown_.setTextCursor(cursor);
    shown_.copy();
    TMemo other(parent_);
    Shown(other).paste();
    EXPECT_EQ(other.Text(), "1\r2\n3\r\n4");
}

TEST(EditTest, KeepsEveryByteAndHasNoLengthLimit) {
    TForm parent(nullptr);
    TEdit edit(parent);
    edit.SetText(AllByteValues());
    EXPECT_EQ(edit.Text(), AllByteValues());
    std::string longText(100000, 'x');
    longText.back() = '\xFC';
    edit.SetText(longText);
    EXPECT_EQ(edit.Text(), longText);
}

} // namespace
} // namespace pellow
