// Moments as the operator's clock shows them. The logic works on these
// plain values; only the system's clock reads the operating system.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// Seconds since 1970-01-01 00:00 UTC, and the local offset from UTC then.
struct WallTime {
    std::int64_t utcSeconds = 0;
    std::int32_t offsetMinutes = 0;
};

// Tells the time: the system's clock in the program, a set one in tests.
using WallClock = std::function<WallTime()>;

// The system's clock, with the offset of this very moment, daylight saving
// time included.
WallTime SystemWallTime();

// A local date and time as the wall clock shows it, which may go back an
// hour or jump one ahead when daylight-saving time begins or ends.
struct LocalTime {
    int year, month, day, hour, minute, second;
    int offsetMinutes;  // east of UTC
};

LocalTime LocalTimeOf(WallTime time);

// "03:12:44": the moment's local time of day.
std::string TimeOfDayText(WallTime time);
// "2:14:07", "100:00:59": hours, minutes and seconds; negative counts as 0.
std::string RunTimeText(std::int64_t seconds);
