#include "servers/wall_clock_win.h"

#include "servers/process_times_win.h"

namespace {
constexpr std::int64_t kTicksPerMinute = 60 * static_cast<std::int64_t>(kTicksPerSecond);
}  // namespace

WallTime WallTimeAt(const SYSTEMTIME& utc)
{
    SYSTEMTIME local = {};
    if (!::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        local = utc;
    FILETIME utcTime = {}, localTime = {};
    ::SystemTimeToFileTime(&utc, &utcTime);
    ::SystemTimeToFileTime(&local, &localTime);
    const auto utcTicks = static_cast<std::int64_t>(TicksOf(utcTime));
    const auto localTicks = static_cast<std::int64_t>(TicksOf(localTime));
    WallTime time;
    time.utcSeconds = UnixSecondsOf(TicksOf(utcTime));
    time.offsetMinutes = static_cast<std::int32_t>((localTicks - utcTicks) / kTicksPerMinute);
    return time;
}

WallTime SystemWallTime()
{
    SYSTEMTIME utc = {};
    ::GetSystemTime(&utc);
    return WallTimeAt(utc);
}
