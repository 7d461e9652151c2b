#include "servers/wall_clock.h"

#include <cstdio>
#include <ctime>

namespace {
constexpr std::int64_t kSecondsPerDay = 24 * 60 * 60;
}

std::string TimeOfDayText(WallTime time)
{
    std::int64_t seconds = (time.utcSeconds + std::int64_t{time.offsetMinutes} * 60) % kSecondsPerDay;
    if (seconds < 0)
        seconds += kSecondsPerDay;
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(seconds / 3600),
                  static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
    return text;
}

std::string RunTimeText(std::int64_t seconds)
{
    if (seconds < 0)
        seconds = 0;
    char text[32];
    std::snprintf(text, sizeof text, "%lld:%02d:%02d", static_cast<long long>(seconds / 3600),
                  static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
    return text;
}

// The local calendar is the UTC one of the moment moved by its offset.
LocalTime LocalTimeOf(WallTime time)
{
    const std::time_t local = static_cast<std::time_t>(time.utcSeconds + std::int64_t{time.offsetMinutes} * 60);
    const std::tm* calendar = std::gmtime(&local);
    if (calendar == nullptr)
        return LocalTime{1970, 1, 1, 0, 0, 0, time.offsetMinutes};
    return LocalTime{calendar->tm_year + 1900, calendar->tm_mon + 1, calendar->tm_mday, calendar->tm_hour,
                     calendar->tm_min,         calendar->tm_sec,     time.offsetMinutes};
}
