#pragma once
// The queue behind a notification window, the same on every toolkit: worker threads post,
// and the GUI thread delivers the messages in posting order, in turns with a time budget,
// so that however fast messages come, key presses, clicks and repaints get their turn
// between two turns. The toolkit supplies only how a turn is queued on its event loop.
// Messages still queued when it is destroyed are released, never delivered.

#include "serial/NotifyWindow.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <mutex>

namespace pellow {

class TNotifyTurns {
public:
    // Longest time one turn spends delivering messages before it lets other events in.
    static constexpr std::chrono::milliseconds TurnBudget{10};

    struct Message {
        std::uint32_t message;
        std::uintptr_t wParam;
        std::intptr_t lParam;
    };

    TNotifyTurns() = default;
    TNotifyTurns(const TNotifyTurns&) = delete;
    TNotifyTurns& operator=(const TNotifyTurns&) = delete;
    ~TNotifyTurns();

    // Any thread. Queues the message, and a turn unless one is queued already: `queueTurn`
    // runs under the lock the turn takes first, so what the posting thread wrote reaches
    // the GUI thread through our own mutex, which a race detector can see, rather than
    // only through the toolkit's event queue, which it cannot. It returns whether the
    // turn was queued; when not, the message is taken back and Post returns false.
    template <typename QueueTurn> bool Post(const Message& m, QueueTurn&& queueTurn) {
        std::lock_guard lock(mutex_);
        queue_.push_back(m);
        if (turnQueued_)
            return true;
        if (!queueTurn()) {
            queue_.pop_back();
            return false;
        }
        turnQueued_ = true;
        return true;
    }

    // GUI thread, when a queued turn comes: `isTurn` looks at what came under the lock,
    // which hands it over. Posts made from now on, even while a message is handled (a
    // handler's modal box runs a loop of its own), queue a turn of their own.
    template <typename IsTurn> bool BeginTurn(IsTurn&& isTurn) {
        std::lock_guard lock(mutex_);
        if (!isTurn())
            return false;
        turnQueued_ = false;
        return true;
    }

    enum class TTurnEnd { Empty, BudgetSpent, OwnerDestroyed };
    // GUI thread: delivers messages until none is left or the turn's budget is spent.
    // `deliver` returns false when the message destroyed the owner, and with it this
    // queue: nothing of it is touched after that.
    template <typename Deliver> TTurnEnd DeliverTurn(Deliver&& deliver) {
        const auto deadline = std::chrono::steady_clock::now() + TurnBudget;
        for (;;) {
            if (taken_.empty()) {
                std::lock_guard lock(mutex_);
                if (queue_.empty())
                    return TTurnEnd::Empty;
                taken_.swap(queue_);
            }
            const Message m = taken_.front();
            taken_.pop_front();
            if (!deliver(m))
                return TTurnEnd::OwnerDestroyed;
            if (std::chrono::steady_clock::now() >= deadline)
                return TTurnEnd::BudgetSpent;
        }
    }

    // GUI thread, after a turn whose budget was spent: queues the next one, unless a post
    // has queued it meanwhile. `queueTurn` as for Post.
    template <typename QueueTurn> void QueueNextTurn(QueueTurn&& queueTurn) {
        std::lock_guard lock(mutex_);
        if (!turnQueued_ && queueTurn())
            turnQueued_ = true;
    }

private:
    std::mutex mutex_;
    std::deque<Message> queue_;  // posted, not yet taken by the GUI thread
    bool turnQueued_ = false;    // a turn is queued, so a post need not queue another
    std::deque<Message> taken_;  // the GUI thread's own: taken, not yet delivered
};

} // namespace pellow
