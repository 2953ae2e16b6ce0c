// The settings file: loading at start-up and saving the send list entry by entry.
#include "app/SettingsValues.h"
#include "app/TfrmMain.h"

namespace pellow {

namespace {

constexpr const char* SendListSection = "SendList";
constexpr const char* ComSection = "COMSetting";

std::string FlagKey(int n) {
    return std::to_string(n);
}
std::string DataKey(int n) {
    return "data" + std::to_string(n);
}

} // namespace

void TfrmMain::LoadSettings() {
    if (!SettingsFile->Exists()) {
        return;
    }
    // Setting the controls runs their change handlers, which write back what the controls
    // then show. Collected, those writes reach the file once, after the last step, and not
    // at all when they change nothing; the file is always either the old or the loaded one.
    TIniBatch batch(*SettingsFile);
    if (!IsValidityMark(SettingsFile->ReadString(SendListSection, FlagKey(12), ""))) {
        return;
    }
    // Everything is read before any control is set: setting an entry's text saves that
    // entry, flag included, and must not overwrite a flag not read yet.
    std::array<std::string, 4> parameters;
    static constexpr const char* parameterKeys[] = {"BandRate", "ByteSize", "StopBits", "Parity"};
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        parameters[i] = SettingsFile->ReadString(ComSection, parameterKeys[i], "");
    }
    std::array<std::string, SendListSize + 1> texts;
    std::array<std::string, SendListSize + 1> flags;
    for (int n = 1; n <= SendListSize; ++n) {
        texts[n] = SettingsFile->ReadString(SendListSection, DataKey(n), "");
        flags[n] = SettingsFile->ReadString(SendListSection, FlagKey(n), "");
    }

    TComboBox* const boxes[] = {cbBPS, cbByteSize, cbStopBits, cbParity};
    const auto indices = ParameterIndices(
        parameters, {cbBPS->ItemCount(), cbByteSize->ItemCount(), cbStopBits->ItemCount(), cbParity->ItemCount()});
    for (std::size_t i = 0; i < 4; ++i) {
        boxes[i]->SetItemIndex(indices[i]);
    }
    for (int n = 1; n <= SendListSize; ++n) {
        edtEntry[n]->SetText(texts[n]);
    }
    for (int n = 1; n <= SendListSize; ++n) {
        cbEntry[n]->SetChecked(FlagChecks(flags[n]));
    }
    batch.Commit();
}

void TfrmMain::SaveSendList() {
    for (int n = 1; n <= SendListSize; ++n) {
        SettingsFile->WriteString(SendListSection, DataKey(n), edtEntry[n]->Text());
        SettingsFile->WriteString(SendListSection, FlagKey(n), cbEntry[n]->Checked() ? "1" : "0");
    }
}

void TfrmMain::SaveSendListEntry(int n) {
    // Every keystroke in an entry comes here: its keys (and a new file's whole list) reach
    // the file in one replacement, all or none.
    TIniBatch batch(*SettingsFile);
    if (!SettingsFile->Exists()) {
        SaveSendList();
    }
    SettingsFile->WriteString(SendListSection, FlagKey(n), cbEntry[n]->Checked() ? "1" : "0");
    SettingsFile->WriteString(SendListSection, DataKey(n), edtEntry[n]->Text());
    batch.Commit();
}

} // namespace pellow
