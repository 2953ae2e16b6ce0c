#pragma once
// The writer thread's message queue: first in, first out; posting never blocks and is
// refused when the queue is full or the writer has ended, so SendBytes can say false.
// The writer waits on it together with the close event, without polling.

#include "serial/EventObject.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>

namespace pellow {

struct QueuedMessage {
    std::uint32_t message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

class WriterQueue {
public:
    // As many messages as a thread's message queue holds by default.
    static constexpr std::size_t DefaultCapacity = 10000;

    // Throws std::system_error when the wake-up event cannot be created.
    explicit WriterQueue(std::size_t capacity = DefaultCapacity);
    // Releases the blocks of messages never taken.
    ~WriterQueue();
    WriterQueue(const WriterQueue&) = delete;
    WriterQueue& operator=(const WriterQueue&) = delete;

    // Any thread. On refusal the poster keeps what lParam carries.
    bool Post(const QueuedMessage& message);

    // Writer only.
    std::optional<QueuedMessage> TryTake();
    enum class Wake { Close, Input, Failed };
    // Waits for the close event or a message; the close event wins when both are there.
    Wake WaitForInputOrClose(const EventObject& closeEvent) const;
    // Refuses every later post and releases what is still queued, unwritten.
    void CloseAndDiscard();

private:
    mutable std::mutex mutex_;
    std::deque<QueuedMessage> messages_;
    std::size_t capacity_;
    bool closed_ = false;
    EventObject inputEvent_; // set while messages_ is not empty
};

// Frees the DataBlock a writer message carries.
void ReleaseWriterMessage(const QueuedMessage& message);

} // namespace pellow
