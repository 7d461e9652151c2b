// The system's clock at any moment, not only now, so that the offset of a
// summer's and a winter's day can be compared with the zone's own.
#pragma once

#include <windows.h>

#include "servers/wall_clock.h"

// The moment given in UTC, with the offset from UTC that the system's time
// zone has at that moment, daylight saving time included.
WallTime WallTimeAt(const SYSTEMTIME& utc);
