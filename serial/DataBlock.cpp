#include "serial/DataBlock.h"

#include <atomic>
#include <cstdlib>

namespace pellow {

namespace {

std::atomic<std::size_t> blocksHeld{0};

} // namespace

char* DataBlockAlloc(std::size_t n) noexcept {
    char* block = static_cast<char*>(std::calloc(n + 1, 1));
    if (block != nullptr) {
        blocksHeld.fetch_add(1, std::memory_order_relaxed);
    }
    return block;
}

void DataBlockFree(char* block) noexcept {
    if (block != nullptr) {
        blocksHeld.fetch_sub(1, std::memory_order_relaxed);
        std::free(block);
    }
}

std::size_t DataBlocksHeld() noexcept {
    return blocksHeld.load(std::memory_order_relaxed);
}

} // namespace pellow
