// The clock the history reads its times from.
#pragma once

#include <string>

// Now, local to the second with the offset from UTC.
std::string LocalTimeNow();
