#include "SendWindowFixture.h"

#include <QTest>

#include <utility>

namespace pellow::test {

namespace {

constexpr int DeadlineMs = 10000;
constexpr char Marker = '\x7f';

} // namespace

void ScriptedMessageBox::Show(const std::string& text) {
    Warnings.push_back(text);
    if (DuringShow)
        DuringShow();
}

void SendWindowTest::SetUp() {
    pty_ = std::make_unique<PtyPair>();
    ASSERT_TRUE(settings_.isValid());
    messages_ = std::make_shared<ScriptedMessageBox>();
    TfrmMainServices services;
    services.ListPorts = [name = pty_->SlavePath()] { return std::vector<std::string>{name}; };
    services.SettingsFolder = settings_.path().toStdString();
    services.Messages = messages_;
    form_ = std::make_unique<TfrmMain>(services);
    form_->Show();
    // The window starts up once it is on the screen; the status line tells when it has.
    ASSERT_TRUE(
        QTest::qWaitFor([this] { return !form_->pnStatus->Caption().empty(); }, DeadlineMs));
    ASSERT_TRUE(PortOpen()) << "the pseudo-terminal did not open: " << form_->pnStatus->Caption();
    messages_->Warnings.clear();
}

void SendWindowTest::TearDown() {
    form_.reset();
    pty_.reset();
}

std::int64_t SendWindowTest::TX() const {
    return std::stoll(form_->lbTX->Caption());
}

void SendWindowTest::ClosePort() {
    form_->btnCOMClick();
    ASSERT_FALSE(PortOpen());
}

std::string SendWindowTest::ReceivedWhen(const std::function<bool(const std::string&)>& done) {
    (void)QTest::qWaitFor(
        [&] {
            received_ += pty_->ReadUntilQuiet(std::chrono::milliseconds(0));
            return done(received_);
        },
        DeadlineMs);
    return received_;
}

std::string SendWindowTest::TakeReceived() {
    if (PortOpen()) {
        // The writer keeps the order of hand-overs, so once the marker is through so is
        // all that came before it.
        EXPECT_TRUE(form_->Com->SendBytes(&Marker, 1));
        ReceivedWhen(
            [](const std::string& bytes) { return !bytes.empty() && bytes.back() == Marker; });
        EXPECT_TRUE(!received_.empty() && received_.back() == Marker) << "marker lost";
        if (!received_.empty() && received_.back() == Marker)
            received_.pop_back();
    } else {
        received_ += pty_->ReadUntilQuiet(std::chrono::milliseconds(0));
    }
    return std::exchange(received_, {});
}

void SendWindowTest::StartAutoSendWithoutTicks() {
    form_->edtTimer->SetText("100000");
    form_->cbAutoSend->SetChecked(true);
    ASSERT_TRUE(form_->tmAutoSend->Enabled());
}

void SendWindowTest::StartCyclicSendWithoutTicks() {
    form_->edtCycleTimer->SetText("100000");
    form_->cbCycleSend->SetChecked(true);
    ASSERT_TRUE(form_->tmCycleSend->Enabled());
}

void SendWindowTest::SetSendList(const std::vector<std::string>& texts) {
    for (int n = 1; n <= TfrmMain::SendListSize; ++n) {
        form_->cbEntry[n]->SetChecked(false);
        form_->edtEntry[n]->SetText(n <= static_cast<int>(texts.size()) ? texts[n - 1] : "");
    }
}

} // namespace pellow::test
