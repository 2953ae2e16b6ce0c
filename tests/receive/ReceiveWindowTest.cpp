#include "app/TfrmMain.h"
#include "tests/serial/PtyPair.h"
#include "receive/ReceiveView.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <string_view>

namespace pellow {
namespace {

namespace fs = std::filesystem;

const std::string SizeLine10000 = "File size: 10000bytes, these are first 4k bytes in the file.";
const std::string Suggestion = "Suggest you to preview the non-ASCII data in HEX mode.";

class ReceiveWindowTest : public testing::Test {
protected:
    ReceiveWindowTest() : messages(std::make_shared<TRecordingMessageBox>()) {
        TfrmMainServices services;
        services.ListPorts = [this] { return ports; };
        services.SettingsFolder = folder.path().toStdString();
        services.Messages = messages;
        window = std::make_unique<TfrmMain>(services);
    }

    void Receive(std::string_view bytes) {
        window->ComReceiveData(nullptr, bytes.data(), static_cast<std::uint16_t>(bytes.size()));
    }
    std::string Shown() const { return std::string(window->mmReceive->Bytes()); }
    std::string Rx() const { return window->lbRX->Caption(); }

    std::string WriteFile(const std::string& name, const std::string& bytes) {
        const std::string path = (fs::path(folder.path().toStdString()) / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    // Runs a handler as a user's click does: an escaping error goes to the report.
    void Click(const std::function<void()>& handler) { window->Dispatcher.Run(handler); }

    QTemporaryDir folder;
    std::vector<std::string> ports;
    std::shared_ptr<TRecordingMessageBox> messages;
    std::unique_ptr<TfrmMain> window;
};

struct CountCase {
    const char* name;
    bool hex;
    bool stopped;
};

class ReceiveCounterTest : public ReceiveWindowTest,
                           public testing::WithParamInterface<CountCase> {};

TEST_P(ReceiveCounterTest, CountsEveryReceivedByte) {
    if (GetParam().hex)
        window->cbHexDisplay->SetChecked(true);
    if (GetParam().stopped)
        window->btnStopDisplayClick();
    Receive("abc");
    Receive(std::string("\0\r\n\xff\x01", 5));
    EXPECT_EQ(Rx(), "8");
    EXPECT_EQ(Shown().empty(), GetParam().stopped);
}

INSTANTIATE_TEST_SUITE_P(Modes, ReceiveCounterTest,
                         testing::Values(CountCase{"Text", false, false},
                                         CountCase{"Hex", true, false},
                                         CountCase{"Stopped", false, true}),
                         [](const testing::TestParamInfo<CountCase>& info) {
                             return info.param.name;
                         });

struct ShowCase {
    const char* name;
    bool hex;
    std::vector<std::string> blocks;
    std::string shown;
};

class ReceiveShowTest : public ReceiveWindowTest, public testing::WithParamInterface<ShowCase> {};

TEST_P(ReceiveShowTest, AppendsBlocksAsTheModeSays) {
    if (GetParam().hex)
        window->cbHexDisplay->SetChecked(true);
    for (const std::string& block : GetParam().blocks)
        Receive(block);
    EXPECT_EQ(Shown(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReceiveShowTest,
    testing::Values(
        ShowCase{"HexPairsContinueTheLine", true, {"A\r\n", "B"}, "41 0D 0A 42 "},
        ShowCase{"CrThenLfAcrossBlocksIsTwoBreaks", false, {"a\r", "\nb"}, "a\r\n\r\nb"},
        ShowCase{"LoneLfBecomesCrLf", false, {"a\nb"}, "a\r\nb"},
        ShowCase{"CrLfAcrossOneBlockStays", false, {"a\r\nb\r\n"}, "a\r\nb\r\n"},
        ShowCase{"ControlAndUndecodableBytesKept",
                 false,
                 {std::string("\0\x07\xff\xe4", 4)},
                 std::string("\0\x07\xff\xe4", 4)},
        ShowCase{"CharacterSplitAcrossBlocks", false, {"\xe4\xb8", "\xad"}, "\xe4\xb8\xad"}),
    [](const testing::TestParamInfo<ShowCase>& info) { return info.param.name; });

TEST_F(ReceiveWindowTest, AppendingNormalisesBreaksAlreadyShown) {
    // Hex back to text may leave lone breaks inside the area; the next block fixes them.
    window->mmReceive->SetBytes("a\nb\rc");
    Receive("d\n");
    EXPECT_EQ(Shown(), "a\r\nb\r\ncd\r\n");
    Receive("e");
    EXPECT_EQ(Shown(), "a\r\nb\r\ncd\r\ne");
}

TEST_F(ReceiveWindowTest, EmptyBlockChangesNothingEvenOverAPreview) {
    const std::string path = WriteFile("p.bin", "abc");
    window->feFileName->SetText(path);
    window->ShowFilePreview(path, true);
    const std::string preview = Shown();
    Receive("");
    EXPECT_TRUE(window->PreviewShown);
    EXPECT_EQ(Shown(), preview);
    EXPECT_EQ(Rx(), "0");
}

TEST_F(ReceiveWindowTest, AutoClearCountsDisplayRowsBeforeAppending) {
    window->cbAutoClear->SetChecked(true);
    std::string fifty;
    for (int i = 0; i < 50; ++i)
        fifty += "row\r\n";
    Receive(fifty);
    ASSERT_EQ(window->mmReceive->RowCount(), 50);
    Receive("x");
    EXPECT_EQ(Shown(), fifty + "x"); // 50 rows: appended
    ASSERT_EQ(window->mmReceive->RowCount(), 51);
    Receive("y");
    EXPECT_EQ(Shown(), "y"); // 51 rows: cleared first
}

TEST_F(ReceiveWindowTest, AutoClearCountsWrappedRows) {
    window->cbAutoClear->SetChecked(true);
    const int columns = window->mmReceive->Columns();
    // One line wrapping over 51 rows.
    Receive(std::string(static_cast<std::size_t>(columns) * 50 + 1, 'w'));
    ASSERT_EQ(window->mmReceive->RowCount(), 51);
    Receive("z");
    EXPECT_EQ(Shown(), "z");
}

TEST_F(ReceiveWindowTest, StoppedDisplayNeverAutoClears) {
    window->cbAutoClear->SetChecked(true);
    std::string many;
    for (int i = 0; i < 60; ++i)
        many += "row\r\n";
    Receive(many);
    window->btnStopDisplayClick();
    Receive("more");
    EXPECT_EQ(Shown(), many);
    EXPECT_EQ(window->btnStopDisplay->Caption(), "Continue display");
    window->btnStopDisplayClick();
    EXPECT_EQ(window->btnStopDisplay->Caption(), "Stop display");
    EXPECT_EQ(window->btnStopDisplay->Hint(), "Stop the display of receive data.");
}

TEST_F(ReceiveWindowTest, FirstBlockClearsThePreviewEvenWhenStopped) {
    const std::string path = WriteFile("p.txt", "hello");
    window->ShowFilePreview(path, true);
    EXPECT_EQ(Shown(), "hello\r\nFile size: 5bytes, these are first 4k bytes in the file.\r\n" +
                           Suggestion + "\r\n");
    window->btnStopDisplayClick();
    Receive("abc");
    EXPECT_FALSE(window->PreviewShown);
    EXPECT_EQ(Shown(), "");
    EXPECT_EQ(Rx(), "3");
}

TEST_F(ReceiveWindowTest, ClearLeavesCountersAndSwitchesAlone) {
    Receive("abc");
    window->btnStopDisplayClick();
    window->btnClearReceiveClick();
    EXPECT_EQ(Shown(), "");
    EXPECT_EQ(Rx(), "3");
    EXPECT_EQ(window->btnStopDisplay->Caption(), "Continue display");
}

TEST_F(ReceiveWindowTest, HexSwitchRoundTrip) {
    Receive("AB\r\n");
    window->cbHexDisplay->SetChecked(true);
    EXPECT_EQ(Shown(), "41 42 0D 0A ");
    window->cbHexDisplay->SetChecked(false);
    EXPECT_EQ(Shown(), "AB\r\n");
    // Blanks and breaks at both ends are dropped; one final break is added.
    window->mmReceive->SetBytes("\r\n x \r\n");
    window->cbHexDisplay->SetChecked(true);
    window->cbHexDisplay->SetChecked(false);
    EXPECT_EQ(Shown(), "x\r\n");
}

TEST_F(ReceiveWindowTest, HexToTextOfPlainTextReportsAndKeepsTheArea) {
    Receive("Hello\r\n");
    Click([&] { window->cbHexDisplay->SetChecked(false); });
    EXPECT_EQ(Shown(), "Hello\r\n");
    EXPECT_FALSE(window->cbHexDisplay->Checked());
    ASSERT_EQ(messages->Entries.size(), 1u);
    EXPECT_EQ(messages->Entries[0].kind, TRecordingMessageBox::Kind::Error);
    EXPECT_EQ(messages->Entries[0].text, "'He' is not a valid integer value");
}

TEST_F(ReceiveWindowTest, PreviewShowsTheFirst4096Bytes) {
    std::string big;
    for (int i = 0; i < 10000; ++i)
        big.push_back(static_cast<char>('a' + i % 26));
    const std::string path = WriteFile("big.txt", big);
    window->ShowFilePreview(path, false);
    EXPECT_EQ(Shown(), big.substr(0, 4096) + "\r\n" + SizeLine10000 + "\r\n");
    EXPECT_TRUE(window->PreviewShown);
}

TEST_F(ReceiveWindowTest, PreviewOfEmptyFileIsEmptyLineAndSize) {
    const std::string path = WriteFile("empty.txt", "");
    window->cbHexDisplay->SetChecked(true);
    window->ShowFilePreview(path, false);
    EXPECT_EQ(Shown(), "\r\nFile size: 0bytes, these are first 4k bytes in the file.\r\n");
}

TEST_F(ReceiveWindowTest, HexSwitchRereadsThePreviewWithoutSuggestion) {
    const std::string path = WriteFile("three.bin", " \x01Z\n");
    window->feFileName->SetText(path);
    window->ShowFilePreview(path, true);
    window->btnClearReceiveClick();
    window->cbHexDisplay->SetChecked(true);
    EXPECT_EQ(Shown(),
              "20 01 5A 0A\r\nFile size: 4bytes, these are first 4k bytes in the file.\r\n");
    EXPECT_TRUE(window->PreviewShown);
    // A file that has gone, or a name that is no plain file (a device or a pipe, whose
    // opening could block the window), leaves the preview as it stands.
    const std::string shown = Shown();
    fs::remove(path);
    window->cbHexDisplay->SetChecked(false);
    EXPECT_EQ(Shown(), shown);
    window->feFileName->SetText("/dev/null");
    window->cbHexDisplay->SetChecked(true);
    EXPECT_EQ(Shown(), shown);
}

TEST_F(ReceiveWindowTest, UnreadablePreviewReportsAndChangesNothing) {
    Receive("kept");
    Click([&] { window->ShowFilePreview(folder.path().toStdString() + "/missing", true); });
    EXPECT_EQ(Shown(), "kept");
    EXPECT_FALSE(window->PreviewShown);
    ASSERT_EQ(messages->Entries.size(), 1u);
    EXPECT_NE(messages->Entries[0].text.find("missing"), std::string::npos);
}

std::set<fs::path> SavedFiles() {
    std::set<fs::path> files;
    for (const auto& entry :
         fs::directory_iterator(QCoreApplication::applicationDirPath().toStdString())) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("Save") && name.ends_with(".txt"))
            files.insert(entry.path());
    }
    return files;
}

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST_F(ReceiveWindowTest, SaveWritesExactlyTheAreaBesideTheExecutable) {
    for (const fs::path& old : SavedFiles())
        fs::remove(old);
    const std::string bytes = std::string("a\r\n\0\xff\xe4\xb8\xad", 9);
    window->mmReceive->SetBytes(bytes);
    Click([&] { window->btnSaveDataClick(); });
    EXPECT_TRUE(messages->Entries.empty());
    const std::set<fs::path> saved = SavedFiles();
    ASSERT_EQ(saved.size(), 1u);
    const fs::path first = *saved.begin();
    const std::string name = first.filename().string();
    // "Save" date " " HH.MM.SS ".txt", the date in numbers whatever the locale (the test
    // runs under the C locale, whose short date names the month).
    ASSERT_GE(name.size(), 17u);
    const std::string date = name.substr(4, name.size() - 17);
    EXPECT_EQ(std::count_if(date.begin(), date.end(), [](char c) { return std::isalpha(c); }), 0)
        << name;
    EXPECT_EQ(date.find('/'), std::string::npos);
    EXPECT_EQ(name[name.size() - 13], ' ');
    EXPECT_EQ(name.substr(name.size() - 10, 1), ".");
    EXPECT_EQ(Contents(first), bytes);

    // An empty area saves an empty file: in the same second it replaces the first,
    // otherwise it stands beside it.
    window->ClearReceiveArea();
    Click([&] { window->btnSaveDataClick(); });
    EXPECT_TRUE(messages->Entries.empty());
    std::set<fs::path> added;
    for (const fs::path& file : SavedFiles()) {
        if (file != first)
            added.insert(file);
    }
    if (added.empty()) {
        EXPECT_EQ(Contents(first), "");
    } else {
        ASSERT_EQ(added.size(), 1u);
        EXPECT_EQ(Contents(*added.begin()), "");
        EXPECT_EQ(Contents(first), bytes);
    }
    for (const fs::path& file : SavedFiles())
        fs::remove(file);
}

// Received bytes travel from the far end of a line through the serial component into
// the area, every byte value included.
TEST_F(ReceiveWindowTest, ReceivesThroughAPseudoTerminal) {
    test::PtyPair pty;
    ports = {pty.SlavePath()};
    window->Show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->Com->PortOpen(); }, 10000))
        << testing::PrintToString(messages->Texts());
    std::string sent;
    for (int i = 0; i < 256; ++i)
        sent.push_back(static_cast<char>(i));
    sent += "line\nend\r";
    pty.Write(sent);
    const std::string expected = std::string(sent.begin(), sent.begin() + 10) + "\r\n" +
                                 std::string(sent.begin() + 11, sent.begin() + 13) + "\r\n" +
                                 std::string(sent.begin() + 14, sent.begin() + 256) +
                                 "line\r\nend\r\n";
    ASSERT_TRUE(QTest::qWaitFor([&] { return Shown().size() >= expected.size(); }, 10000))
        << testing::PrintToString(Shown()) << testing::PrintToString(messages->Texts());
    EXPECT_EQ(Shown(), expected);
    EXPECT_EQ(Rx(), std::to_string(sent.size()));

    window->btnClearReceiveClick();
    window->cbHexDisplay->SetChecked(true);
    pty.Write("\x12\xab");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Shown() == "12 AB "; }, 10000)) << Shown();
    window->Close();
}

} // namespace
} // namespace pellow
