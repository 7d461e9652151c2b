#include <windows.h>

#include "servers/process_times_win.h"
#include "servers/wall_clock.h"

namespace {
// 1970-01-01 in the system's ticks since 1601.
constexpr std::uint64_t kUnixEpochTicks = 116444736000000000;
constexpr std::int64_t kTicksPerMinute = 60 * static_cast<std::int64_t>(kTicksPerSecond);
}  // namespace

WallTime SystemWallTime()
{
    SYSTEMTIME utc = {}, local = {};
    ::GetSystemTime(&utc);
    if (!::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        local = utc;
    FILETIME utcTime = {}, localTime = {};
    ::SystemTimeToFileTime(&utc, &utcTime);
    ::SystemTimeToFileTime(&local, &localTime);
    const auto utcTicks = static_cast<std::int64_t>(TicksOf(utcTime));
    const auto localTicks = static_cast<std::int64_t>(TicksOf(localTime));
    WallTime now;
    now.utcSeconds = (utcTicks - static_cast<std::int64_t>(kUnixEpochTicks)) / static_cast<std::int64_t>(kTicksPerSecond);
    now.offsetMinutes = static_cast<std::int32_t>((localTicks - utcTicks) / kTicksPerMinute);
    return now;
}
