// The clock the history reads its times from.
#pragma once

#include <windows.h>

#include <string>

// The moment given in UTC, local to the second with the offset from UTC
// that the system's time zone has at that moment.
std::string LocalTimeText(const SYSTEMTIME& utc);
// Now, as LocalTimeText gives it.
std::string LocalTimeNow();
