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
#include "serial/OpenSerialDevice.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace pellow {

class TComm;
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
    explicit TComm(const TNotifyWindowFactory& makeNotifyWindow, TDeviceOpener openDevice = {});
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

    // Called by the notification window on the GUI thread. A hang-up request is raised
    // only while the opening whose worker made it is still held: one that was still queued
    // when the port was closed would otherwise close whatever port is open by then.
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
    std::uint32_t BaudRate() const { return line_.baudRate; }
    void SetBaudRate(std::uint32_t v);
    bool ParityCheck() const { return line_.parityCheck; }
    void SetParityCheck(bool v);
    bool Outx_CtsFlow() const { return line_.outxCtsFlow; }
    void SetOutx_CtsFlow(bool v);
    bool Outx_DsrFlow() const { return line_.outxDsrFlow; }
    void SetOutx_DsrFlow(bool v);
    TDtrControl DtrControl() const { return line_.dtrControl; }
    void SetDtrControl(TDtrControl v);
    bool DsrSensitivity() const { return line_.dsrSensitivity; }
    void SetDsrSensitivity(bool v);
    bool TxContinueOnXoff() const { return line_.txContinueOnXoff; }
    void SetTxContinueOnXoff(bool v);
    bool Outx_XonXoffFlow() const { return line_.outxXonXoffFlow; }
    void SetOutx_XonXoffFlow(bool v);
    bool Inx_XonXoffFlow() const { return line_.inxXonXoffFlow; }
    void SetInx_XonXoffFlow(bool v);
    bool ReplaceWhenParityError() const { return line_.replaceWhenParityError; }
    void SetReplaceWhenParityError(bool v);
    bool IgnoreNullChar() const { return line_.ignoreNullChar; }
    void SetIgnoreNullChar(bool v);
    TRtsControl RtsControl() const { return line_.rtsControl; }
    void SetRtsControl(TRtsControl v);
    std::uint16_t XonLimit() const { return line_.xonLimit; }
    void SetXonLimit(std::uint16_t v);
    std::uint16_t XoffLimit() const { return line_.xoffLimit; }
    void SetXoffLimit(std::uint16_t v);
    TByteSize ByteSize() const { return line_.byteSize; }
    void SetByteSize(TByteSize v);
    TParity Parity() const { return line_.parity; }
    void SetParity(TParity v) { line_.parity = v; }
    TStopBits StopBits() const { return line_.stopBits; }
    void SetStopBits(TStopBits v);
    char XonChar() const { return line_.xonChar; }
    void SetXonChar(char v);
    char XoffChar() const { return line_.xoffChar; }
    void SetXoffChar(char v);
    char ReplacedChar() const { return line_.replacedChar; }
    void SetReplacedChar(char v);
    std::uint32_t ReadIntervalTimeout() const { return timeouts_.readInterval; }
    void SetReadIntervalTimeout(std::uint32_t v);
    std::uint32_t ReadTotalTimeoutMultiplier() const { return timeouts_.readTotalMultiplier; }
    void SetReadTotalTimeoutMultiplier(std::uint32_t v);
    std::uint32_t ReadTotalTimeoutConstant() const { return timeouts_.readTotalConstant; }
    void SetReadTotalTimeoutConstant(std::uint32_t v);
    std::uint32_t WriteTotalTimeoutMultiplier() const { return timeouts_.writeTotalMultiplier; }
    void SetWriteTotalTimeoutMultiplier(std::uint32_t v);
    std::uint32_t WriteTotalTimeoutConstant() const { return timeouts_.writeTotalConstant; }
    void SetWriteTotalTimeoutConstant(std::uint32_t v);

private:
    void ApplyCommState();
    void ApplyTimeouts();
    // Stores a line setting; re-applies on an open port when it changed.
    template <typename T> void SetLineSetting(T& field, T value);
    template <typename T> void SetTimeout(T& field, T value);
    void StartReader();
    void StartWriter();
    void StopReader();
    void StopWriter();
    // Stops what runs and lets go of what is held, in reverse order of opening.
    void ReleasePort();
    // True when a worker of the port now held has asked to hang up.
    bool HangupRequestedByWorkers() const;

    void FireReceiveData(const char* buffer, std::uint16_t length);
    void FireReceiveError(std::uint32_t eventMask);
    void FireRequestHangup();
    void FireModemStateChange(std::uint32_t modemEvent);
    void FireSendDataEmpty();

    TDeviceOpener openDevice_;
    // Declared so that, were the port still open, the workers would go before what they use.
    std::unique_ptr<TNotifyWindow> notifyWindow_;
    std::unique_ptr<SerialDevice> portHandle_;
    std::unique_ptr<CloseEvent> closeEvent_;
    std::unique_ptr<TReadThread> reader_;
    std::unique_ptr<TWriteThread> writer_;

    // Construction defaults are those of the two records.
    std::string commName_ = "COM2";
    LineSettings line_;
    CommTimeouts timeouts_;
};

} // namespace pellow
