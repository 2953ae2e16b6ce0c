#include "serial/WriteThread.h"

#include "serial/CommTypes.h"
#include "serial/DataBlock.h"
#include "serial/ThreadPriority.h"

#include <memory>

namespace pellow {

namespace {

struct MessageReleaser {
    void operator()(QueuedMessage* message) const {
        ReleaseWriterMessage(*message);
        delete message;
    }
};
using HeldMessage = std::unique_ptr<QueuedMessage, MessageReleaser>;

} // namespace

void TWriteThread::Execute() {
    RaiseCurrentThreadPriority(1);
    Run();
    // Aborts what the device still holds, then drops every block still queued, unwritten.
    port_.Purge(false, true);
    queue_.CloseAndDiscard();
}

bool TWriteThread::Run() {
    bool reportEmpty = true;
    for (;;) {
        std::optional<QueuedMessage> taken = queue_.TryTake();
        if (!taken) {
            if (reportEmpty) {
                if (!notifyWindow_.Post(PORTMSG_SENDEMPTY, 0, 0)) {
                    SignalHangup();
                    return false;
                }
                reportEmpty = false;
            }
            switch (queue_.WaitForInputOrClose(closeEvent_)) {
            case WriterQueue::Wake::Close:
                return true;
            case WriterQueue::Wake::Input:
                continue;
            case WriterQueue::Wake::Failed:
                SignalHangup();
                return false;
            }
        }
        // Released however this step ends: written, stopped or failed.
        HeldMessage message(new QueuedMessage(*taken));
        if (closeEvent_.IsSet()) {
            return true;
        }
        if (message->message != PORTMSG_WRITE) {
            continue;
        }
        if (!WriteBlock(DataBlockFromParam(message->lParam), message->wParam)) {
            return false;
        }
        reportEmpty = true;
    }
}

bool TWriteThread::WriteBlock(const char* data, std::size_t length) {
    std::size_t offset = 0;
    while (offset < length) {
        const WriteResult result = port_.Write(data + offset, length - offset, closeEvent_);
        switch (result.status) {
        case DeviceStatus::Ok:
            offset += result.written;
            break;
        case DeviceStatus::Stopped:
        case DeviceStatus::InvalidHandle:
            return false;
        case DeviceStatus::Failed:
            SignalHangup();
            return false;
        }
    }
    return true;
}

} // namespace pellow
