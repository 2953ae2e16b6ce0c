#include "send/CycleSearch.h"

namespace pellow {

int NextCycleEntry(int cycleIndex, const std::function<bool(int entry)>& entryEmpty, int count) {
    if (count <= 0)
        return 0;
    int entry = (cycleIndex >= 0 && cycleIndex <= count) ? cycleIndex : 0;
    for (int looked = 0; looked < count; ++looked) {
        entry = entry % count + 1;
        if (!entryEmpty(entry))
            return entry;
    }
    return 0;
}

} // namespace pellow
