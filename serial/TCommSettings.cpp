// TComm's properties: plain stores on a closed port, re-applied at once on an open one.
#include "serial/TComm.h"

#include "serial/SerialDevice.h"

namespace pellow {

void TComm::ApplyCommState() {
    portHandle_->ApplyLineSettings(line_);
}

void TComm::ApplyTimeouts() {
    portHandle_->ApplyTimeouts(timeouts_);
}

template <typename T> void TComm::SetLineSetting(T& field, T value) {
    if (field == value) {
        return;
    }
    field = value;
    if (portHandle_) {
        ApplyCommState();
    }
}

template <typename T> void TComm::SetTimeout(T& field, T value) {
    if (field == value) {
        return;
    }
    field = value;
    if (portHandle_) {
        ApplyTimeouts();
    }
}

void TComm::SetBaudRate(std::uint32_t v) {
    SetLineSetting(line_.baudRate, v);
}
void TComm::SetParityCheck(bool v) {
    SetLineSetting(line_.parityCheck, v);
}
void TComm::SetOutx_CtsFlow(bool v) {
    SetLineSetting(line_.outxCtsFlow, v);
}
void TComm::SetOutx_DsrFlow(bool v) {
    SetLineSetting(line_.outxDsrFlow, v);
}
void TComm::SetDtrControl(TDtrControl v) {
    SetLineSetting(line_.dtrControl, v);
}
void TComm::SetDsrSensitivity(bool v) {
    SetLineSetting(line_.dsrSensitivity, v);
}
void TComm::SetTxContinueOnXoff(bool v) {
    SetLineSetting(line_.txContinueOnXoff, v);
}
void TComm::SetOutx_XonXoffFlow(bool v) {
    SetLineSetting(line_.outxXonXoffFlow, v);
}
void TComm::SetInx_XonXoffFlow(bool v) {
    SetLineSetting(line_.inxXonXoffFlow, v);
}
void TComm::SetReplaceWhenParityError(bool v) {
    SetLineSetting(line_.replaceWhenParityError, v);
}
void TComm::SetIgnoreNullChar(bool v) {
    SetLineSetting(line_.ignoreNullChar, v);
}
void TComm::SetRtsControl(TRtsControl v) {
    SetLineSetting(line_.rtsControl, v);
}
void TComm::SetXonLimit(std::uint16_t v) {
    SetLineSetting(line_.xonLimit, v);
}
void TComm::SetXoffLimit(std::uint16_t v) {
    SetLineSetting(line_.xoffLimit, v);
}
void TComm::SetByteSize(TByteSize v) {
    SetLineSetting(line_.byteSize, v);
}
void TComm::SetStopBits(TStopBits v) {
    SetLineSetting(line_.stopBits, v);
}
void TComm::SetXonChar(char v) {
    SetLineSetting(line_.xonChar, v);
}
void TComm::SetXoffChar(char v) {
    SetLineSetting(line_.xoffChar, v);
}
void TComm::SetReplacedChar(char v) {
    SetLineSetting(line_.replacedChar, v);
}

void TComm::SetReadIntervalTimeout(std::uint32_t v) {
    SetTimeout(timeouts_.readInterval, v);
}
void TComm::SetReadTotalTimeoutMultiplier(std::uint32_t v) {
    SetTimeout(timeouts_.readTotalMultiplier, v);
}
void TComm::SetReadTotalTimeoutConstant(std::uint32_t v) {
    SetTimeout(timeouts_.readTotalConstant, v);
}
void TComm::SetWriteTotalTimeoutMultiplier(std::uint32_t v) {
    SetTimeout(timeouts_.writeTotalMultiplier, v);
}
void TComm::SetWriteTotalTimeoutConstant(std::uint32_t v) {
    SetTimeout(timeouts_.writeTotalConstant, v);
}

} // namespace pellow
