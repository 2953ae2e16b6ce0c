// File sending: choosing, handing over and the progress ticks.
#include "app/CounterText.h"
#include "app/TfrmMain.h"
#include "filesend/ReadWholeFile.h"
#include "filesend/SendFileCheck.h"
#include "filesend/SendFilePlan.h"
#include "filesend/SendFileTexts.h"
#include "receive/FileStart.h"
#include "send/SendMessages.h"
#include "send/SendPieces.h"

#include <chrono>
#include <stdexcept>

namespace pellow {

namespace {

std::int32_t CounterValue(const TLabel* counter) {
    return static_cast<std::int32_t>(std::stol(AddToCounterText(counter->Caption(), 0)));
}

} // namespace

void TfrmMain::btnSelFileClick() {
    feFileName->Execute();
    const std::string name = feFileName->Text();
    if (IsExistingFile(name)) {
        ShowFilePreview(name, true);
    }
}

void TfrmMain::btnSendFileClick() {
    if (btnCOM->Caption() == "OPEN") {
        msgAlert->Show(std::string(PortClosedWarning));
        return;
    }
    const std::string name = feFileName->Text();
    if (!IsExistingFile(name)) {
        msgAlert->Show(std::string(NoSuchFileWarning));
        return;
    }
    TFileContent content = ReadWholeFile(name, MaxSendFileSize);
    if (content.status == TFileContent::TStatus::OpenFailed) {
        throw std::runtime_error(OpenFailedMessage(name, content.error));
    }
    // Refused before anything changes, so no control is left disabled.
    if (const auto refusal = SendFileRefusal(content)) {
        msgAlert->Show(*refusal);
        return;
    }
    const std::string data = std::move(content.bytes);
    const auto size = static_cast<std::int32_t>(data.size());
    const std::string rateText = cbBPS->Text();
    const std::int32_t rate = SendFileRate(rateText);

    const TSendFilePlan plan = PlanSendFile(size, rate, CounterValue(lbTX));
    SendTickInterval = plan.SendTickInterval;
    SendTicksLeft = plan.SendTicksLeft;
    SendTxEnd = plan.SendTxEnd;
    SendPace = plan.pace;

    ClearReceiveArea();
    for (const std::string& line : SendFileStartLines(size, rateText, rate)) {
        AddReceiveLine(line);
    }

    try {
        tmSendFile->SetInterval(SendTickInterval);
        if (cbCycleSend->Checked()) {
            cbCycleSend->SetChecked(false);
        }
        if (cbAutoSend->Checked()) {
            cbAutoSend->SetChecked(false);
        }
        // Both boxes are disabled only after both are unchecked: ending automatic
        // sending enables the cyclic box again, which must stay off while a file goes out.
        cbCycleSend->SetEnabled(false);
        cbAutoSend->SetEnabled(false);
        btnSendFile->SetEnabled(false);
        btnSendData->SetEnabled(false);
        tmSendFile->SetEnabled(true);
        // A refused piece means the rest would arrive with a gap: stop and say so rather
        // than show a progress for bytes that never go out.
        const bool accepted = SendInPieces(data, [this](const char* piece, std::uint16_t length) {
            return Com->SendBytes(piece, length);
        });
        if (!accepted) {
            throw std::runtime_error("the serial port refused the data");
        }
        // Counted from the end of the hand-over, which is no earlier than the line's start,
        // so that the progress never runs ahead of the line.
        SendStarted = std::chrono::steady_clock::now();
    } catch (...) {
        // Stopped before the box opens: its ticks would otherwise run on behind it and
        // end in "Finished." for a file that never went out whole.
        tmSendFile->SetEnabled(false);
        msgAlert->Show(SendErrorMessage);
        btnSendFile->SetEnabled(true);
        btnSendData->SetEnabled(true);
        cbCycleSend->SetEnabled(true);
        cbAutoSend->SetEnabled(true);
    }
}

void TfrmMain::tmSendFileTimer() {
    const TSendFileTick tick =
        SendFileTick(SendPace, SendTicksLeft, std::chrono::steady_clock::now() - SendStarted);
    SendTicksLeft -= tick.ticks;
    AddToCounter(lbTX, tick.txStep);
    if (!tick.finished) {
        return;
    }
    tmSendFile->SetEnabled(false);
    AddReceiveLine(std::string(SendFinishedLine));
    lbTX->SetCaption(std::to_string(SendTxEnd));
    EnableTimedSendBoxes();
    btnSendFile->SetEnabled(true);
    btnSendData->SetEnabled(true);
}

} // namespace pellow
