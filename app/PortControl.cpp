// The port panel: the port list, opening and closing, the lamp, the status line, locking
// the port controls, the parameter boxes, and a device that goes away while open.
#include "app/PortStatusText.h"
#include "app/TfrmMain.h"

#include <charconv>
#include <stdexcept>

namespace pellow {

namespace {

constexpr TColor LampGreen{0, 255, 0};
constexpr TColor LampBlack{0, 0, 0};
constexpr TColor LampGrey{128, 128, 128};

// The rate box may show no item at all (an index outside its list); that is no number.
std::uint32_t BaudRateOfText(const std::string& text) {
    std::uint32_t rate = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), rate);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()) {
        throw std::invalid_argument("'" + text + "' is not a valid integer value");
    }
    return rate;
}

} // namespace

std::string TfrmMain::StatusText(const char* stateWord) const {
    return PortStatusText(
        {cbCOM->Text(), cbBPS->Text(), cbByteSize->Text(), cbStopBits->Text(), cbParity->Text()},
        stateWord);
}

bool TfrmMain::OpenWithSelections(const char* openedStateWord) {
    try {
        ApplyPortSettings();
        Com->OpenPort();
    } catch (const ECommsError&) {
        return false;
    }
    ShowPortOpened(openedStateWord);
    return true;
}

void TfrmMain::ShowPortOpened(const char* stateWord) {
    btnCOM->SetCaption("CLOSE");
    shCOM->SetPenColor(LampGreen);
    shComIn->SetBrushColor(LampGreen);
    pnStatus->SetCaption(StatusText(stateWord));
    DisablePortControls();
}

void TfrmMain::ShowPortClosed(const char* stateWord) {
    shCOM->SetPenColor(LampBlack);
    shComIn->SetBrushColor(LampGrey);
    btnCOM->SetCaption("OPEN");
    pnStatus->SetCaption(StatusText(stateWord));
    EnablePortControls();
}

void TfrmMain::ApplyPortSettings() {
    static constexpr TByteSize byteSizes[] = {TByteSize::_5, TByteSize::_6, TByteSize::_7,
                                              TByteSize::_8};
    static constexpr TStopBits stopBits[] = {TStopBits::_1, TStopBits::_1_5, TStopBits::_2};
    // The window lists the parities in another order than TParity.
    static constexpr TParity parities[] = {TParity::None, TParity::Even, TParity::Mark,
                                           TParity::Odd, TParity::Space};

    Com->SetCommName(cbCOM->Text());
    Com->SetBaudRate(BaudRateOfText(cbBPS->Text()));
    if (const int i = cbByteSize->ItemIndex(); i >= 0 && i < 4) {
        Com->SetByteSize(byteSizes[i]);
    }
    if (const int i = cbStopBits->ItemIndex(); i >= 0 && i < 3) {
        Com->SetStopBits(stopBits[i]);
    }
    if (const int i = cbParity->ItemIndex(); i >= 0 && i < 5) {
        Com->SetParity(parities[i]);
    }
    Com->SetDtrControl(cbDTR->Checked() ? TDtrControl::DtrEnable : TDtrControl::DtrDisable);
    Com->SetRtsControl(cbRTS->Checked() ? TRtsControl::RtsEnable : TRtsControl::RtsDisable);
}

void TfrmMain::DisablePortControls() {
    cbCOM->SetEnabled(false);
    cbBPS->SetEnabled(false);
    cbByteSize->SetEnabled(false);
    cbStopBits->SetEnabled(false);
    cbParity->SetEnabled(false);
    cbDTR->SetEnabled(false);
    cbRTS->SetEnabled(false);
}

void TfrmMain::EnablePortControls() {
    cbCOM->SetEnabled(true);
    cbBPS->SetEnabled(true);
    cbByteSize->SetEnabled(true);
    cbStopBits->SetEnabled(true);
    cbParity->SetEnabled(true);
    cbDTR->SetEnabled(true);
    cbRTS->SetEnabled(true);
}

void TfrmMain::ClosePortFromWindow() {
    Com->ClosePort();
    ShowPortClosed(StateClosedByButton);
    if (tmSendFile->Enabled()) {
        tmSendFile->SetEnabled(false);
        EnableTimedSendBoxes();
        btnSendFile->SetEnabled(true);
        btnSendData->SetEnabled(true);
    }
    if (tmAutoSend->Enabled()) {
        tmAutoSend->SetEnabled(false);
        cbAutoSend->SetChecked(false);
        btnSendFile->SetEnabled(true);
        btnSendData->SetEnabled(true);
    }
    if (tmCycleSend->Enabled()) {
        tmCycleSend->SetEnabled(false);
        EnableAutoSendBox();
        cbCycleSend->SetChecked(false);
        btnSendFile->SetEnabled(true);
        btnSendData->SetEnabled(true);
    }
}

void TfrmMain::cbCOMDropDown() {
    // A USB adapter plugged in after start-up appears without a restart. The box keeps
    // what it shows, a chosen port or a typed name.
    const std::string shown = cbCOM->Text();
    cbCOM->SetItems(services_.ListPorts());
    cbCOM->SetText(shown);
}

void TfrmMain::btnCOMClick() {
    if (btnCOM->Caption() == "CLOSE") {
        ClosePortFromWindow();
        return;
    }
    if (!OpenWithSelections(StateOpenedByButton)) {
        msgAlert->Show("Can not open" + cbCOM->Text() + ", the serial port is not available.");
        ShowPortClosed(StateClosedByButton);
    }
}

void TfrmMain::ComRequestHangup(TComm* /*Sender*/) {
    // The device went away (unplugged, or its other end closed): the workers have
    // stopped reading and writing. Close as the CLOSE button does, then tell the user.
    if (btnCOM->Caption() != "CLOSE") {
        return;
    }
    const std::string name = Com->CommName();
    ClosePortFromWindow();
    msgAlert->Show("The serial port " + name + " was disconnected.");
}

void TfrmMain::cbBPSChange() {
    SettingsFile->WriteString("COMSetting", "BandRate", std::to_string(cbBPS->ItemIndex()));
}

void TfrmMain::cbByteSizeChange() {
    SettingsFile->WriteString("COMSetting", "ByteSize", std::to_string(cbByteSize->ItemIndex()));
}

void TfrmMain::cbStopBitsChange() {
    SettingsFile->WriteString("COMSetting", "StopBits", std::to_string(cbStopBits->ItemIndex()));
}

void TfrmMain::cbParityChange() {
    SettingsFile->WriteString("COMSetting", "Parity", std::to_string(cbParity->ItemIndex()));
}

} // namespace pellow
