#include "serial/ReadThread.h"

#include "serial/CommTypes.h"
#include "serial/DataBlock.h"
#include "serial/ThreadPriority.h"

#include <cstring>

namespace pellow {

bool TReadThread::DeliverBytes(const char* bytes, std::size_t count) {
    if (count == 0) {
        return true; // only a total timeout ends a read empty; simply read on
    }
    char* block = DataBlockAlloc(count);
    if (block == nullptr) {
        SignalHangup();
        return false;
    }
    std::memcpy(block, bytes, count);
    if (!notifyWindow_.Post(PORTMSG_DATA, count, DataBlockToParam(block))) {
        DataBlockFree(block);
        SignalHangup();
        return false;
    }
    return true;
}

bool TReadThread::ReportCommEvents(const LineEvents& events) {
    bool carryOn = false;
    if (events.errors != 0) {
        if (!notifyWindow_.Post(PORTMSG_ERROR, 0, static_cast<std::intptr_t>(events.errors))) {
            SignalHangup();
            return false;
        }
        carryOn = true;
    }
    if (events.modem != 0) {
        if (!notifyWindow_.Post(PORTMSG_MODEM, 0, static_cast<std::intptr_t>(events.modem))) {
            SignalHangup();
            return false;
        }
        carryOn = true;
    }
    if (!carryOn) {
        SignalHangup();
    }
    return carryOn;
}

void TReadThread::Execute() {
    RaiseCurrentThreadPriority(2);
    char buffer[ReadChunkSize];
    PendingRead read;

    if (!port_.WatchLineEvents()) {
        SignalHangup();
    } else {
        read.Begin(buffer, ReadChunkSize);
        bool running = true;
        while (running) {
            LineEvents events;
            InputWake wake = port_.WaitForInput(read, events, closeEvent_);
            if (closeEvent_.IsSet()) {
                // The stop wins over whatever else the device had ready: an owner that is
                // closing gets no line events and no hang-up request.
                wake = InputWake::Stopped;
            }
            switch (wake) {
            case InputWake::Stopped:
            case InputWake::InvalidHandle:
                running = false;
                break;
            case InputWake::LineEvents:
                running = ReportCommEvents(events);
                break;
            case InputWake::ReadDone:
                running = DeliverBytes(read.buffer, read.count);
                read.Begin(buffer, ReadChunkSize);
                break;
            case InputWake::Failed:
                SignalHangup();
                running = false;
                break;
            }
        }
    }
    // Unread input is discarded, and nothing outstanding refers to the buffer any more.
    port_.Purge(true, false);
    port_.EndReading();
}

} // namespace pellow
