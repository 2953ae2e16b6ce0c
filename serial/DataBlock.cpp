#include "serial/DataBlock.h"

#include <cstdlib>

namespace pellow {

char* DataBlockAlloc(std::size_t n) noexcept {
    return static_cast<char*>(std::calloc(n + 1, 1));
}

void DataBlockFree(char* block) noexcept {
    std::free(block);
}

} // namespace pellow
