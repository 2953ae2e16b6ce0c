#pragma once
// Which send-list entry a tick of cyclic sending sends. Pure; any thread.

#include <functional>

namespace pellow {

inline constexpr int SendListSize = 20;

// The next entry after cycleIndex (0 = none sent yet) whose text is not empty, counting
// 1..count and then from 1 again; cycleIndex itself is the last one looked at. 0 when
// every entry is empty: the search looks at each entry once and never runs on.
int NextCycleEntry(int cycleIndex, const std::function<bool(int entry)>& entryEmpty,
                   int count = SendListSize);

} // namespace pellow
