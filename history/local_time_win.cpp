#include "history/local_time_win.h"

#include "history/history_line.h"

std::string LocalTimeText(const SYSTEMTIME& utc)
{
    SYSTEMTIME local = {};
    // The offset is what the system's conversion gives for this very
    // moment, daylight saving time included.
    if (!::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        local = utc;
    FILETIME utcTicks = {}, localTicks = {};
    ::SystemTimeToFileTime(&utc, &utcTicks);
    ::SystemTimeToFileTime(&local, &localTicks);
    const auto ticks = [](const FILETIME& time) {
        return static_cast<long long>(static_cast<unsigned long long>(time.dwHighDateTime) << 32 |
                                      time.dwLowDateTime);
    };
    const long long ticksPerMinute = 600000000;
    const int offset = static_cast<int>((ticks(localTicks) - ticks(utcTicks)) / ticksPerMinute);
    return TimeText({local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond, offset});
}

std::string LocalTimeNow()
{
    SYSTEMTIME utc = {};
    ::GetSystemTime(&utc);
    return LocalTimeText(utc);
}
