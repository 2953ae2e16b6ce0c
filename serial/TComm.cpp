#include "serial/TComm.h"

#include "serial/DataBlock.h"
#include "serial/EventObject.h"
#include "serial/OpenSerialDevice.h"
#include "serial/ReadThread.h"
#include "serial/WriteThread.h"

#include <cstring>
#include <exception>

namespace pellow {

namespace {

// Runs one creation step of OpenPort; whatever it raises (no thread, no memory) becomes
// the step's ECommsError.
template <typename Step> void CreateOrRaise(const char* message, Step step) {
    try {
        step();
    } catch (const std::exception&) {
        throw ECommsError(message);
    }
}

} // namespace

TComm::TComm(const TNotifyWindowFactory& makeNotifyWindow, TDeviceOpener openDevice)
    : openDevice_(openDevice ? std::move(openDevice)
                             : [](const std::string& name) { return OpenSerialDevice(name); }),
      notifyWindow_(makeNotifyWindow(
          [this](std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
              NotifyWindowProc(message, wParam, lParam);
          })) {}

TComm::~TComm() {
    ClosePort();
    // The notification window goes next and releases what it never delivered.
    notifyWindow_.reset();
}

bool TComm::PortOpen() const {
    return portHandle_ != nullptr;
}

void TComm::OpenPort() {
    if (portHandle_) {
        throw ECommsError("This serial port already opened");
    }
    portHandle_ = openDevice_(commName_);
    if (!portHandle_) {
        throw ECommsError("Error opening serial port");
    }
    // From here every failure, of whatever kind, leaves the component closed.
    try {
        portHandle_->Purge(true, true);
        ApplyTimeouts();
        ApplyCommState();
        CreateOrRaise("Unable to create event",
                      [this] { closeEvent_ = std::make_unique<CloseEvent>(); });
        CreateOrRaise("Unable to create read thread", [this] { StartReader(); });
        CreateOrRaise("Unable to create write thread", [this] { StartWriter(); });
    } catch (...) {
        ReleasePort();
        throw;
    }
}

void TComm::StartReader() {
    reader_ = std::make_unique<TReadThread>(*portHandle_, *closeEvent_, *notifyWindow_);
    reader_->Start();
}

void TComm::StartWriter() {
    writer_ = std::make_unique<TWriteThread>(*portHandle_, *closeEvent_, *notifyWindow_);
    writer_->Start();
}

void TComm::ClosePort() {
    if (portHandle_) {
        ReleasePort();
    }
}

void TComm::ReleasePort() {
    StopReader();
    StopWriter();
    closeEvent_.reset();
    portHandle_.reset();
}

void TComm::StopReader() {
    if (!reader_) {
        return;
    }
    closeEvent_->Set();
    portHandle_->Purge(true, false);
    reader_.reset(); // waits for the thread to end
}

void TComm::StopWriter() {
    if (!writer_) {
        return;
    }
    closeEvent_->Set();
    portHandle_->Purge(false, true);
    writer_.reset(); // waits for the thread to end, then drops what is still queued
}

bool TComm::HangupRequestedByWorkers() const {
    return (reader_ && reader_->HangupRequested()) || (writer_ && writer_->HangupRequested());
}

bool TComm::SendBytes(const void* data, std::uint16_t length) {
    if (!writer_ || length == 0) {
        return false;
    }
    char* block = DataBlockAlloc(length);
    if (block == nullptr) {
        return false;
    }
    std::memcpy(block, data, length);
    if (!writer_->Post({PORTMSG_WRITE, length, DataBlockToParam(block)})) {
        DataBlockFree(block);
        return false;
    }
    return true;
}

void TComm::NotifyWindowProc(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    switch (message) {
    case PORTMSG_DATA: {
        // Released after the handler, also when it throws.
        const DataBlockPtr block(DataBlockFromParam(lParam));
        FireReceiveData(block.get(), static_cast<std::uint16_t>(wParam & 0xFFFF));
        break;
    }
    case PORTMSG_ERROR:
        FireReceiveError(static_cast<std::uint32_t>(lParam));
        break;
    case PORTMSG_HANGUP:
        if (HangupRequestedByWorkers()) {
            FireRequestHangup();
        }
        break;
    case PORTMSG_MODEM:
        FireModemStateChange(static_cast<std::uint32_t>(lParam));
        break;
    case PORTMSG_SENDEMPTY:
        FireSendDataEmpty();
        break;
    default:
        break;
    }
}

void TComm::FireReceiveData(const char* buffer, std::uint16_t length) {
    if (OnReceiveData) {
        OnReceiveData(this, buffer, length);
    }
}

void TComm::FireReceiveError(std::uint32_t eventMask) {
    if (OnReceiveError) {
        OnReceiveError(this, eventMask);
    }
}

void TComm::FireRequestHangup() {
    if (OnRequestHangup) {
        OnRequestHangup(this);
    }
}

void TComm::FireModemStateChange(std::uint32_t modemEvent) {
    if (OnModemStateChange) {
        OnModemStateChange(this, modemEvent);
    }
}

void TComm::FireSendDataEmpty() {
    if (OnSendDataEmpty) {
        OnSendDataEmpty(this);
    }
}

} // namespace pellow
