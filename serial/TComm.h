#pragma once
// TComm: one serial port. Holds the line settings, opens and closes the device, runs a
// reader and a writer thread while open, and raises its five events on the owner's
// GUI thread through the notification window.
//
// Threads: everything here (construction, destruction, properties, OpenPort, ClosePort,
// SendBytes, NotifyWindowProc) is called on the owner's GUI thread only. The worker
// threads never touch this object; they meet it only through posted messages, the
// device and the close event.

#include "serial/CommTypes.h"
#include "serial/ECommsError.h"
#include "serial/LineSettings.h"
#include "serial/NotifyWindow.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace pellow {

class TComm;
class SerialDevice;
class CloseEvent;
class TReadThread;
class TWriteThread;

using TReceiveDataEvent =
    std::function<void(TComm* Sender, const char* Buffer, std::uint16_t BufferLength)>;
using TReceiveErrorEvent = std::function<void(TComm* Sender, std::uint32_t EventMask)>;
using TModemStateChangeEvent = std::function<void(TComm* Sender, std::uint32_t ModemEvent)>;
using TNotifyEvent = std::function<void(TComm* Sender)>;
using TSendDataEmptyEvent = std::function<void(TComm* Sender)>;

class TComm {
public:
    explicit TComm(const TNotifyWindowFactory& makeNotifyWindow);
    // Closes an open port first, so neither worker outlives what it uses.
    ~TComm();

    TComm(const TComm&) = delete;
    TComm& operator=(const TComm&) = delete;

    // Raises ECommsError with one of its seven messages; every failure but
    // "This serial port already opened" leaves the component closed.
    void OpenPort();
    // Stops both workers and closes the device; nothing on a closed port. Never raises.
    void ClosePort();
    // True when the bytes were queued for the writer. Never waits for the write.
    bool SendBytes(const void* data, std::uint16_t length);
    // True while a device is held (between a successful OpenPort and ClosePort).
    bool PortOpen() const;

    // Called by the notification window on the GUI thread.
    void NotifyWindowProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

    TReceiveDataEvent OnReceiveData;
    TNotifyEvent OnRequestHangup;
    TReceiveErrorEvent OnReceiveError;
    TModemStateChangeEvent OnModemStateChange;
    TSendDataEmptyEvent OnSendDataEmpty;

    // Settings. CommName and Parity are plain stores; every other setter does nothing
    // when the value is unchanged and otherwise re-applies at once on an open port.
    const std::string& CommName() const { return commName_; }
    void SetCommName(const std::string& v) { commName_ = v; }
    std::uint32_t BaudRate() const { return baudRate_; }
    void SetBaudRate(std::uint32_t v);
    bool ParityCheck() const { return parityCheck_; }
    void SetParityCheck(bool v);
    bool Outx_CtsFlow() const { return outxCtsFlow_; }
    void SetOutx_CtsFlow(bool v);
    bool Outx_DsrFlow() const { return outxDsrFlow_; }
    void SetOutx_DsrFlow(bool v);
    TDtrControl DtrControl() const { return dtrControl_; }
    void SetDtrControl(TDtrControl v);
    bool DsrSensitivity() const { return dsrSensitivity_; }
    void SetDsrSensitivity(bool v);
    bool TxContinueOnXoff() const { return txContinueOnXoff_; }
    void SetTxContinueOnXoff(bool v);
    bool Outx_XonXoffFlow() const { return outxXonXoffFlow_; }
    void SetOutx_XonXoffFlow(bool v);
    bool Inx_XonXoffFlow() const { return inxXonXoffFlow_; }
    void SetInx_XonXoffFlow(bool v);
    bool ReplaceWhenParityError() const { return replaceWhenParityError_; }
    void SetReplaceWhenParityError(bool v);
    bool IgnoreNullChar() const { return ignoreNullChar_; }
    void SetIgnoreNullChar(bool v);
    TRtsControl RtsControl() const { return rtsControl_; }
    void SetRtsControl(TRtsControl v);
    std::uint16_t XonLimit() const { return xonLimit_; }
    void SetXonLimit(std::uint16_t v);
    std::uint16_t XoffLimit() const { return xoffLimit_; }
    void SetXoffLimit(std::uint16_t v);
    TByteSize ByteSize() const { return byteSize_; }
    void SetByteSize(TByteSize v);
    TParity Parity() const { return parity_; }
    void SetParity(TParity v) { parity_ = v; }
    TStopBits StopBits() const { return stopBits_; }
    void SetStopBits(TStopBits v);
    char XonChar() const { return xonChar_; }
    void SetXonChar(char v);
    char XoffChar() const { return xoffChar_; }
    void SetXoffChar(char v);
    char ReplacedChar() const { return replacedChar_; }
    void SetReplacedChar(char v);
    std::uint32_t ReadIntervalTimeout() const { return readIntervalTimeout_; }
    void SetReadIntervalTimeout(std::uint32_t v);
    std::uint32_t ReadTotalTimeoutMultiplier() const { return readTotalTimeoutMultiplier_; }
    void SetReadTotalTimeoutMultiplier(std::uint32_t v);
    std::uint32_t ReadTotalTimeoutConstant() const { return readTotalTimeoutConstant_; }
    void SetReadTotalTimeoutConstant(std::uint32_t v);
    std::uint32_t WriteTotalTimeoutMultiplier() const { return writeTotalTimeoutMultiplier_; }
    void SetWriteTotalTimeoutMultiplier(std::uint32_t v);
    std::uint32_t WriteTotalTimeoutConstant() const { return writeTotalTimeoutConstant_; }
    void SetWriteTotalTimeoutConstant(std::uint32_t v);

private:
    LineSettings CurrentLineSettings() const;
    CommTimeouts CurrentTimeouts() const;
    void ApplyCommState();
    void ApplyTimeouts();
    // Stores a line setting; re-applies on an open port when it changed.
    template <typename T> void SetLineSetting(T& field, T value);
    template <typename T> void SetTimeout(T& field, T value);
    void StopReader();
    void StopWriter();
    void ReleasePort();

    void FireReceiveData(const char* buffer, std::uint16_t length);
    void FireReceiveError(std::uint32_t eventMask);
    void FireRequestHangup();
    void FireModemStateChange(std::uint32_t modemEvent);
    void FireSendDataEmpty();

    // Declared so that, were the port still open, the workers would go before what they use.
    std::unique_ptr<TNotifyWindow> notifyWindow_;
    std::unique_ptr<SerialDevice> portHandle_;
    std::unique_ptr<CloseEvent> closeEvent_;
    std::unique_ptr<TReadThread> reader_;
    std::unique_ptr<TWriteThread> writer_;

    std::string commName_ = "COM2";
    std::uint32_t baudRate_ = 9600;
    bool parityCheck_ = false;
    bool outxCtsFlow_ = false;
    bool outxDsrFlow_ = false;
    TDtrControl dtrControl_ = TDtrControl::DtrEnable;
    bool dsrSensitivity_ = false;
    bool txContinueOnXoff_ = true;
    bool outxXonXoffFlow_ = true;
    bool inxXonXoffFlow_ = true;
    bool replaceWhenParityError_ = false;
    bool ignoreNullChar_ = false;
    TRtsControl rtsControl_ = TRtsControl::RtsEnable;
    std::uint16_t xonLimit_ = 500;
    std::uint16_t xoffLimit_ = 500;
    TByteSize byteSize_ = TByteSize::_8;
    TParity parity_ = TParity::None;
    TStopBits stopBits_ = TStopBits::_1;
    char xonChar_ = 17;
    char xoffChar_ = 19;
    char replacedChar_ = 0;
    std::uint32_t readIntervalTimeout_ = 100;
    std::uint32_t readTotalTimeoutMultiplier_ = 0;
    std::uint32_t readTotalTimeoutConstant_ = 0;
    std::uint32_t writeTotalTimeoutMultiplier_ = 0;
    std::uint32_t writeTotalTimeoutConstant_ = 0;
};

} // namespace pellow
