#include "serial/WriterQueue.h"

#include "serial/CommTypes.h"
#include "serial/DataBlock.h"

namespace pellow {

void ReleaseWriterMessage(const QueuedMessage& message) {
    if (message.message == PORTMSG_WRITE) {
        DataBlockFree(DataBlockFromParam(message.lParam));
    }
}

WriterQueue::WriterQueue(std::size_t capacity) : capacity_(capacity) {}

WriterQueue::~WriterQueue() {
    CloseAndDiscard();
}

bool WriterQueue::Post(const QueuedMessage& message) {
    std::lock_guard lock(mutex_);
    if (closed_ || messages_.size() >= capacity_) {
        return false;
    }
    messages_.push_back(message);
    inputEvent_.Set();
    return true;
}

std::optional<QueuedMessage> WriterQueue::TryTake() {
    std::lock_guard lock(mutex_);
    if (messages_.empty()) {
        inputEvent_.Reset();
        return std::nullopt;
    }
    QueuedMessage message = messages_.front();
    messages_.pop_front();
    return message;
}

WriterQueue::Wake WriterQueue::WaitForInputOrClose(const EventObject& closeEvent) const {
    const EventObject* events[] = {&closeEvent, &inputEvent_};
    switch (WaitForAnyEvent(events, 2)) {
    case 0:
        return Wake::Close;
    case 1:
        return Wake::Input;
    default:
        return Wake::Failed;
    }
}

void WriterQueue::CloseAndDiscard() {
    std::deque<QueuedMessage> left;
    {
        std::lock_guard lock(mutex_);
        closed_ = true;
        left.swap(messages_);
        inputEvent_.Reset();
    }
    for (const auto& message : left) {
        ReleaseWriterMessage(message);
    }
}

} // namespace pellow
