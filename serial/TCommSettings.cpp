// TComm's properties: plain stores on a closed port, re-applied at once on an open one.
#include "serial/TComm.h"

#include "serial/SerialDevice.h"

namespace pellow {

LineSettings TComm::CurrentLineSettings() const {
    LineSettings s;
    s.baudRate = baudRate_;
    s.parityCheck = parityCheck_;
    s.outxCtsFlow = outxCtsFlow_;
    s.outxDsrFlow = outxDsrFlow_;
    s.dtrControl = dtrControl_;
    s.dsrSensitivity = dsrSensitivity_;
    s.txContinueOnXoff = txContinueOnXoff_;
    s.outxXonXoffFlow = outxXonXoffFlow_;
    s.inxXonXoffFlow = inxXonXoffFlow_;
    s.replaceWhenParityError = replaceWhenParityError_;
    s.ignoreNullChar = ignoreNullChar_;
    s.rtsControl = rtsControl_;
    s.xonLimit = xonLimit_;
    s.xoffLimit = xoffLimit_;
    s.byteSize = byteSize_;
    s.parity = parity_;
    s.stopBits = stopBits_;
    s.xonChar = xonChar_;
    s.xoffChar = xoffChar_;
    s.replacedChar = replacedChar_;
    return s;
}

CommTimeouts TComm::CurrentTimeouts() const {
    return CommTimeouts{readIntervalTimeout_, readTotalTimeoutMultiplier_,
                        readTotalTimeoutConstant_, writeTotalTimeoutMultiplier_,
                        writeTotalTimeoutConstant_};
}

void TComm::ApplyCommState() {
    portHandle_->ApplyLineSettings(CurrentLineSettings());
}

void TComm::ApplyTimeouts() {
    portHandle_->ApplyTimeouts(CurrentTimeouts());
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
    SetLineSetting(baudRate_, v);
}
void TComm::SetParityCheck(bool v) {
    SetLineSetting(parityCheck_, v);
}
void TComm::SetOutx_CtsFlow(bool v) {
    SetLineSetting(outxCtsFlow_, v);
}
void TComm::SetOutx_DsrFlow(bool v) {
    SetLineSetting(outxDsrFlow_, v);
}
void TComm::SetDtrControl(TDtrControl v) {
    SetLineSetting(dtrControl_, v);
}
void TComm::SetDsrSensitivity(bool v) {
    SetLineSetting(dsrSensitivity_, v);
}
void TComm::SetTxContinueOnXoff(bool v) {
    SetLineSetting(txContinueOnXoff_, v);
}
void TComm::SetOutx_XonXoffFlow(bool v) {
    SetLineSetting(outxXonXoffFlow_, v);
}
void TComm::SetInx_XonXoffFlow(bool v) {
    SetLineSetting(inxXonXoffFlow_, v);
}
void TComm::SetReplaceWhenParityError(bool v) {
    SetLineSetting(replaceWhenParityError_, v);
}
void TComm::SetIgnoreNullChar(bool v) {
    SetLineSetting(ignoreNullChar_, v);
}
void TComm::SetRtsControl(TRtsControl v) {
    SetLineSetting(rtsControl_, v);
}
void TComm::SetXonLimit(std::uint16_t v) {
    SetLineSetting(xonLimit_, v);
}
void TComm::SetXoffLimit(std::uint16_t v) {
    SetLineSetting(xoffLimit_, v);
}
void TComm::SetByteSize(TByteSize v) {
    SetLineSetting(byteSize_, v);
}
void TComm::SetStopBits(TStopBits v) {
    SetLineSetting(stopBits_, v);
}
void TComm::SetXonChar(char v) {
    SetLineSetting(xonChar_, v);
}
void TComm::SetXoffChar(char v) {
    SetLineSetting(xoffChar_, v);
}
void TComm::SetReplacedChar(char v) {
    SetLineSetting(replacedChar_, v);
}

void TComm::SetReadIntervalTimeout(std::uint32_t v) {
    SetTimeout(readIntervalTimeout_, v);
}
void TComm::SetReadTotalTimeoutMultiplier(std::uint32_t v) {
    SetTimeout(readTotalTimeoutMultiplier_, v);
}
void TComm::SetReadTotalTimeoutConstant(std::uint32_t v) {
    SetTimeout(readTotalTimeoutConstant_, v);
}
void TComm::SetWriteTotalTimeoutMultiplier(std::uint32_t v) {
    SetTimeout(writeTotalTimeoutMultiplier_, v);
}
void TComm::SetWriteTotalTimeoutConstant(std::uint32_t v) {
    SetTimeout(writeTotalTimeoutConstant_, v);
}

} // namespace pellow
