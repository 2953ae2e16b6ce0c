#pragma once
// A DataBlock carries n bytes between threads: a zero-filled heap block of n + 1 bytes,
// the n bytes followed by one zero byte. Whoever takes the message that carries it
// releases it; a poster whose post fails releases it itself.

#include <cstddef>
#include <cstdint>
#include <memory>

namespace pellow {

// Returns nullptr when the block cannot be allocated.
char* DataBlockAlloc(std::size_t n) noexcept;
void DataBlockFree(char* block) noexcept;

// Blocks allocated and not yet released, in the whole process: what an owner that has
// shut everything down can compare with its count from before, to see none went astray.
std::size_t DataBlocksHeld() noexcept;

struct DataBlockDeleter {
    void operator()(char* block) const noexcept { DataBlockFree(block); }
};
using DataBlockPtr = std::unique_ptr<char, DataBlockDeleter>;

inline std::intptr_t DataBlockToParam(char* block) {
    return reinterpret_cast<std::intptr_t>(block);
}
inline char* DataBlockFromParam(std::intptr_t lParam) {
    return reinterpret_cast<char*>(lParam);
}

} // namespace pellow
