// A whole file sent to the built-in loopback port comes back byte for byte, paced like a
// real looped-back wire, while the progress runs to "Finished.".
#include "app/TfrmMain.h"
#include "tests/app/WindowTestSupport.h"
#include "receive/ReceiveView.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>

namespace pellow {
namespace {

using namespace std::chrono_literals;

TEST(LoopbackFileSend, FileComesBackWhole) {
    test::ScratchFolder folder;
    test::TestWindow window({"loop://"}, folder.Path());
    window->FormShow();
    ASSERT_EQ(window->btnCOM->Caption(), "CLOSE") << testing::PrintToString(window.Messages());

    std::string content(70000, '\0');
    for (std::size_t i = 0; i < content.size(); ++i) {
        content[i] = static_cast<char>((i * 7 + i / 256) & 0xFF);
    }
    const auto path = (folder.Path() / "loop.bin").string();
    std::ofstream(path, std::ios::binary) << content;

    // The echo is caught before the display turns it into text.
    std::string echoed;
    auto show = window->Com->OnReceiveData;
    window->Com->OnReceiveData = [&](TComm* sender, const char* buffer, std::uint16_t length) {
        echoed.append(buffer, length);
        show(sender, buffer, length);
    };

    window->cbBPS->SetItemIndex(11); // 115200: 70000 bytes take about six seconds
    window->btnCOMClick();           // the rate reaches the port at the next opening
    window->btnCOMClick();
    ASSERT_EQ(window->btnCOM->Caption(), "CLOSE");
    window->feFileName->RunDialog = [&](const std::string&) { return path; };
    window->Dispatcher.Run([&] { window->btnSelFileClick(); });
    window->Dispatcher.Run([&] { window->btnSendFileClick(); });

    ASSERT_TRUE(test::WaitFor([&] { return echoed.size() >= content.size(); }, 120s))
        << echoed.size() << " of " << content.size() << " bytes came back";
    EXPECT_TRUE(echoed == content) << "the echo differs from the file";
    EXPECT_TRUE(test::WaitFor([&] { return !window->tmSendFile->Enabled(); }, 60s));
    EXPECT_EQ(window->lbRX->Caption(), "70000");
    EXPECT_EQ(window->lbTX->Caption(), "70000");
    EXPECT_TRUE(window.Messages().empty()) << testing::PrintToString(window.Messages());
}

} // namespace
} // namespace pellow
