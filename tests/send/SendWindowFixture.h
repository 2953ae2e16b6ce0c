#pragma once
// An offscreen main window whose port is a pseudo-terminal, with its message boxes
// recorded. The test reads what the window sent from the terminal's master side.

#include "app/TfrmMain.h"
#include "tests/serial/PtyPair.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace pellow::test {

// Records every box; DuringShow runs while a box "is open", as ticks do under a modal box.
class ScriptedMessageBox final : public TMessageBox {
public:
    void Show(const std::string& text) override;
    void ShowError(const std::string& text) override { Errors.push_back(text); }

    std::vector<std::string> Warnings;
    std::vector<std::string> Errors;
    std::function<void()> DuringShow;
};

class SendWindowTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    TfrmMain& Form() { return *form_; }
    ScriptedMessageBox& Messages() { return *messages_; }
    std::int64_t TX() const;
    bool PortOpen() const { return form_->btnCOM->Caption() == "CLOSE"; }
    void ClosePort();

    // Everything the device received from the window since the last call, waiting until
    // the writer has written all it was handed (a marker sent behind it comes through).
    std::string TakeReceived();
    // Waits (up to seconds) until the bytes received since the last TakeReceived satisfy
    // done; returns them.
    std::string ReceivedWhen(const std::function<bool(const std::string&)>& done);
    // Starts automatic or cyclic sending at an interval so long that the test drives the
    // ticks itself.
    void StartAutoSendWithoutTicks();
    void StartCyclicSendWithoutTicks();
    // Fills the whole send list: entry n gets texts[n - 1], or nothing past the end.
    void SetSendList(const std::vector<std::string>& texts);

private:
    std::unique_ptr<PtyPair> pty_;
    QTemporaryDir settings_;
    std::shared_ptr<ScriptedMessageBox> messages_;
    std::unique_ptr<TfrmMain> form_;
    std::string received_;
};

} // namespace pellow::test
