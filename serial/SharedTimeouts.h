#pragma once
// A device's copy of the timeouts: stored by the owner's GUI thread, read by the workers
// in the middle of their waits.

#include "serial/LineSettings.h"

#include <atomic>
#include <cstdint>

namespace pellow {

class SharedTimeouts {
public:
    void Store(const CommTimeouts& t) {
        readInterval_ = t.readInterval;
        readTotalMultiplier_ = t.readTotalMultiplier;
        readTotalConstant_ = t.readTotalConstant;
        writeTotalMultiplier_ = t.writeTotalMultiplier;
        writeTotalConstant_ = t.writeTotalConstant;
    }
    CommTimeouts Load() const {
        return {readInterval_, readTotalMultiplier_, readTotalConstant_, writeTotalMultiplier_,
                writeTotalConstant_};
    }

private:
    std::atomic<std::uint32_t> readInterval_{CommTimeouts{}.readInterval};
    std::atomic<std::uint32_t> readTotalMultiplier_{0};
    std::atomic<std::uint32_t> readTotalConstant_{0};
    std::atomic<std::uint32_t> writeTotalMultiplier_{0};
    std::atomic<std::uint32_t> writeTotalConstant_{0};
};

} // namespace pellow
