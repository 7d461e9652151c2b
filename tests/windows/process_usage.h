// What this process holds of the system: open handles and memory, for the
// tests that check a long run leaves both flat.
#pragma once

#include <cstddef>

// Wine answers GetProcessHandleCount with 0 whatever is open, so the open
// handles are counted by asking, for each of the lowest handle values,
// whether it is one. Handle values are multiples of 4 and new ones take the
// lowest free value, so a leak shows up in this range.
int CountOpenHandles();

struct MemoryUse {
    std::size_t privateBytes = 0;  // committed for this process alone (its commit charge)
    std::size_t workingSet = 0;    // resident in memory
};

// Zeroes when the system cannot tell.
MemoryUse CurrentMemoryUse();
