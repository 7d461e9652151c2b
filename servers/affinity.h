// Which processor a server is pinned to. Servers in even slots share the
// first processor and servers in odd slots the second, so that two busy
// servers never compete for one processor while the other idles.
#pragma once

#include <cstdint>

// The affinity mask for the server in slot `index`, or 0 to leave the
// launch's affinity as it is: with only the first processor available
// (system mask 1 or less) there is nothing to choose.
constexpr std::uintptr_t PinningMaskForSlot(int index, std::uintptr_t systemMask)
{
    if (systemMask <= 1)
        return 0;
    return index % 2 != 0 ? 2 : 1;
}
