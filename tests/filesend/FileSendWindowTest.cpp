// The file-sending handlers in the window, offscreen, with a pseudo-terminal as the port.
#include "app/TfrmMain.h"
#include "filesend/SendFileTexts.h"
#include "send/SendMessages.h"
#include "tests/app/WindowTestSupport.h"
#include "receive/ReceiveView.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace pellow {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;
using test::WaitFor;

// Deadlines for a loaded machine; the conditions normally hold within a second or two.
constexpr auto Generous = 30s;

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t at; (at = text.find("\r\n", start)) != std::string::npos; start = at + 2) {
        lines.emplace_back(text.substr(start, at - start));
    }
    if (start < text.size()) {
        lines.emplace_back(text.substr(start));
    }
    return lines;
}

std::string BinaryBytes(std::size_t n) {
    std::string bytes(n, '\0');
    for (std::size_t i = 0; i < n; ++i) {
        bytes[i] = static_cast<char>((i * 31 + i / 251) & 0xFF);
    }
    return bytes;
}

// Indices in the rate box.
constexpr int Rate300 = 0;
constexpr int Rate9600 = 5;
constexpr int Rate115200 = 11;

class FileSendWindowTest : public testing::Test {
protected:
    FileSendWindowTest() : window({pty.SlavePath()}, folder.Path()) {
        window->feFileName->RunDialog = [this](const std::string& proposed) {
            proposals.push_back(proposed);
            return dialogAnswer;
        };
    }

    void OpenPort() {
        window->FormShow();
        ASSERT_EQ(window->btnCOM->Caption(), "CLOSE") << testing::PrintToString(window.Messages());
    }

    std::string WriteFile(const std::string& name, const std::string& bytes) {
        const std::string path = (folder.Path() / name).string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    // Runs a handler as a user's click does: an escaping error goes to the report.
    void Click(const std::function<void()>& handler) { window->Dispatcher.Run(handler); }

    void SelectFile(const std::string& path) {
        dialogAnswer = path;
        Click([this] { window->btnSelFileClick(); });
    }

    void SendFile(const std::string& path, int rateIndex) {
        window->cbBPS->SetItemIndex(rateIndex);
        SelectFile(path);
        Click([this] { window->btnSendFileClick(); });
    }

    bool Sending() const { return window->tmSendFile->Enabled(); }
    std::vector<std::string> Lines() const { return SplitLines(window->mmReceive->Bytes()); }
    std::vector<std::string> Messages() const { return window.Messages(); }
    std::string Tx() const { return window->lbTX->Caption(); }

    void ExpectSendingControlsEnabled(bool enabled) const {
        EXPECT_EQ(window->btnSendFile->Enabled(), enabled);
        EXPECT_EQ(window->btnSendData->Enabled(), enabled);
        EXPECT_EQ(window->cbAutoSend->Enabled(), enabled);
        EXPECT_EQ(window->cbCycleSend->Enabled(), enabled);
    }

    test::Pty pty;
    test::ScratchFolder folder;
    test::TestWindow window;
    std::optional<std::string> dialogAnswer;
    std::vector<std::string> proposals;
};

TEST_F(FileSendWindowTest, SelectingProposesTheShownNameAndPreviewsTheChosenFile) {
    const std::string path = WriteFile("hello.txt", "hello");
    SelectFile(path);
    EXPECT_EQ(window->feFileName->DialogTitle, "Open file");
    EXPECT_EQ(window->feFileName->Filter, "All files|*.*");
    EXPECT_EQ(proposals, std::vector<std::string>{"Please select a file."});
    EXPECT_EQ(window->feFileName->Text(), path);
    EXPECT_TRUE(window->PreviewShown);
    EXPECT_EQ(Lines(), (std::vector<std::string>{
                           "hello", "File size: 5bytes, these are first 4k bytes in the file.",
                           "Suggest you to preview the non-ASCII data in HEX mode."}));

    // Cancelling keeps the name, and the file chosen before is previewed again.
    window->ClearReceiveArea();
    dialogAnswer.reset();
    Click([this] { window->btnSelFileClick(); });
    EXPECT_EQ(proposals.back(), path);
    EXPECT_EQ(window->feFileName->Text(), path);
    ASSERT_FALSE(Lines().empty());
    EXPECT_EQ(Lines().front(), "hello");
}

TEST_F(FileSendWindowTest, WarningsBeforeAnythingIsSent) {
    const std::string path = WriteFile("data.bin", "abc");
    OpenPort();
    Click([this] { window->btnCOMClick(); });
    Click([this] { window->btnSendFileClick(); }); // port closed
    Click([this] { window->btnCOMClick(); });
    ASSERT_EQ(window->btnCOM->Caption(), "CLOSE");
    Click([this] { window->btnSendFileClick(); }); // still "Please select a file."
    const std::string empty = WriteFile("empty.bin", "");
    SelectFile(empty);
    const std::string before(window->mmReceive->Bytes());
    Click([this] { window->btnSendFileClick(); });
    fs::remove(path);
    window->feFileName->SetText(path); // a file that has gone since it was chosen
    Click([this] { window->btnSendFileClick(); });
    const std::string huge = WriteFile("huge.bin", "");
    fs::resize_file(huge, 214748365); // sparse: one byte over what can be sent
    window->feFileName->SetText(huge);
    Click([this] { window->btnSendFileClick(); });

    EXPECT_EQ(Messages(), (std::vector<std::string>{
                              std::string(PortClosedWarning), std::string(NoSuchFileWarning),
                              std::string(EmptyFileWarning), std::string(NoSuchFileWarning),
                              std::string(FileTooLargeWarning)}));
    EXPECT_EQ(window->mmReceive->Bytes(), before);
    EXPECT_FALSE(Sending());
    ExpectSendingControlsEnabled(true);
    EXPECT_EQ(Tx(), "0");
    EXPECT_EQ(pty.ReadUntilQuiet(300ms), "");
}

struct TProgressCase {
    const char* name;
    int rateIndex;
    int rate;
    std::size_t size;
    int interval;
    const char* estimate;
};

class FileSendProgressTest : public FileSendWindowTest,
                             public testing::WithParamInterface<TProgressCase> {};

TEST_P(FileSendProgressTest, TicksUpAndEndsAtTheStartValuePlusTheSize) {
    const TProgressCase c = GetParam();
    OpenPort();
    window->lbTX->SetCaption("100");
    const std::string bytes = BinaryBytes(c.size);
    std::optional<std::chrono::steady_clock::time_point> finishedAt;
    window->tmSendFile->OnTimer = [this, &finishedAt] {
        window->tmSendFileTimer();
        if (!Sending() && !finishedAt) {
            finishedAt = std::chrono::steady_clock::now();
        }
    };
    const auto clicked = std::chrono::steady_clock::now();
    SendFile(WriteFile("data.bin", bytes), c.rateIndex);

    EXPECT_TRUE(Messages().empty()) << testing::PrintToString(Messages());
    EXPECT_EQ(window->tmSendFile->Interval(), c.interval);
    const std::vector<std::string> start = Lines();
    ASSERT_EQ(start.size(), 5u);
    EXPECT_EQ(start[0], "File size:" + std::to_string(c.size) + "bytes");
    EXPECT_EQ(start[1], "Bandrate:" + window->cbBPS->Text() + "bps");
    EXPECT_EQ(start[2], c.estimate);
    EXPECT_EQ(start[3], "Please waiting...");
    EXPECT_EQ(start[4], "You can close the serial port to stop sending action.");
    ExpectSendingControlsEnabled(false);

    EXPECT_EQ(pty.Read(c.size, Generous), bytes);
    ASSERT_TRUE(WaitFor([this] { return !Sending(); }, Generous));
    EXPECT_EQ(Tx(), std::to_string(100 + c.size));
    // Not before the line could have carried the file, ten bits a byte.
    const auto lineTime = std::chrono::microseconds(c.size * 10'000'000 / c.rate);
    ASSERT_TRUE(finishedAt);
    EXPECT_GE(*finishedAt - clicked, lineTime);
    std::vector<std::string> end = start;
    end.push_back(std::string(SendFinishedLine));
    EXPECT_EQ(Lines(), end);
    ExpectSendingControlsEnabled(true);
}

INSTANTIATE_TEST_SUITE_P(
    Rates, FileSendProgressTest,
    testing::Values(
        TProgressCase{"TwoHundredAt9600", Rate9600, 9600, 200, 10, "Need about 1second."},
        TProgressCase{"FiveAt9600NoTicksPlanned", Rate9600, 9600, 5, 10, "Need about 1second."},
        TProgressCase{"ThreeAt300", Rate300, 300, 3, 33, "Need about 1second."},
        TProgressCase{"TwoThousandAt115200", Rate115200, 115200, 2000, 0,
                      "Need about 1second."}),
    [](const testing::TestParamInfo<TProgressCase>& info) { return info.param.name; });

TEST_F(FileSendWindowTest, SeventyThousandBytesArriveWholeAndClosingThePortStopsTheProgress) {
    OpenPort();
    window->cbAutoSend->SetChecked(true);
    const std::string bytes = BinaryBytes(70000);
    SendFile(WriteFile("big.bin", bytes), Rate300); // 70000 ticks of 33 ms: still running below

    EXPECT_FALSE(window->cbAutoSend->Checked());
    EXPECT_FALSE(window->tmAutoSend->Enabled());
    const std::string arrived = pty.Read(bytes.size(), Generous);
    EXPECT_EQ(arrived.size(), bytes.size());
    EXPECT_TRUE(arrived == bytes) << "the bytes arrived changed or out of order";

    ASSERT_TRUE(WaitFor([this] { return Tx() != "0"; }, Generous));
    ASSERT_TRUE(Sending());
    ExpectSendingControlsEnabled(false);
    Click([this] { window->btnCOMClick(); });
    const std::string reached = Tx();

    EXPECT_EQ(window->btnCOM->Caption(), "OPEN");
    EXPECT_FALSE(Sending());
    ExpectSendingControlsEnabled(true);
    WaitFor([] { return false; }, 200ms); // no tick may come after the closing
    EXPECT_EQ(Tx(), reached);
    EXPECT_NE(Lines().back(), SendFinishedLine);
}

TEST_F(FileSendWindowTest, CounterResetDuringSendingStillEndsAtThePlannedValue) {
    OpenPort();
    window->lbTX->SetCaption("1000");
    SendFile(WriteFile("data.bin", BinaryBytes(40)), Rate300); // 40 ticks of 33 ms

    ASSERT_TRUE(WaitFor([this] { return Tx() != "1000"; }, Generous));
    ASSERT_TRUE(Sending());
    Click([this] { window->btnCounterResetClick(); });
    ASSERT_TRUE(WaitFor([this] { return !Sending(); }, Generous));
    EXPECT_EQ(Tx(), "1040");
    EXPECT_EQ(Lines().back(), SendFinishedLine);
}

TEST_F(FileSendWindowTest, RefusedHandOverWarnsAndGivesTheControlsBack) {
    OpenPort();
    window->cbBPS->SetItemIndex(Rate9600);
    SelectFile(WriteFile("data.bin", BinaryBytes(5)));
    window->Com->ClosePort(); // the component refuses every piece from now on
    // The box stays open well past the time the progress would take to finish.
    window.messages->WhileShown = [] { WaitFor([] { return false; }, 300ms); };
    Click([this] { window->btnSendFileClick(); });

    EXPECT_EQ(Messages(), std::vector<std::string>{SendErrorMessage});
    EXPECT_FALSE(Sending());
    ExpectSendingControlsEnabled(true);
    EXPECT_EQ(Lines().size(), 5u);
    EXPECT_EQ(Tx(), "0");
}

TEST_F(FileSendWindowTest, ChoosingAnotherFileDuringSendingReplacesTheLinesOnly) {
    OpenPort();
    SendFile(WriteFile("data.bin", BinaryBytes(40)), Rate300);
    ASSERT_TRUE(Sending());
    SelectFile(WriteFile("other.txt", "other"));
    EXPECT_EQ(Lines().front(), "other");
    EXPECT_TRUE(Sending());
    ASSERT_TRUE(WaitFor([this] { return !Sending(); }, Generous));
    EXPECT_EQ(Tx(), "40");
}

} // namespace
} // namespace pellow
