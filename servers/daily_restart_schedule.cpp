#include "servers/daily_restart_schedule.h"

#include <cstdio>
#include <tuple>

namespace {

auto Ordered(const LocalTime& t)
{
    return std::tie(t.year, t.month, t.day, t.hour, t.minute, t.second);
}

bool SameDay(const LocalTime& a, const LocalTime& b)
{
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

}  // namespace

std::string DailyRestartText(const DailyRestartTime& time)
{
    if (!time.on)
        return std::string();
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d", time.hour, time.minute);
    return text;
}

bool ParseDailyRestartText(const std::string& text, DailyRestartTime& time)
{
    time = DailyRestartTime{};
    if (text.empty())
        return true;
    if (text.size() != 5 || text[2] != ':')
        return false;
    for (const char c : {text[0], text[1], text[3], text[4]}) {
        if (!IsDigit(c))
            return false;
    }
    const int hour = (text[0] - '0') * 10 + (text[1] - '0');
    const int minute = (text[3] - '0') * 10 + (text[4] - '0');
    if (hour > 23 || minute > 59)
        return false;
    time = DailyRestartTime{true, hour, minute};
    return true;
}

bool DailyRestartSchedule::Due(const LocalTime& previous, const LocalTime& now)
{
    if (!m_time.on || SameDay(now, m_lastRestartDay))
        return false;
    const LocalTime restart = {now.year, now.month, now.day, m_time.hour, m_time.minute, 0, now.offsetMinutes};
    if (!(Ordered(previous) < Ordered(restart) && Ordered(restart) <= Ordered(now)))
        return false;
    m_lastRestartDay = now;
    return true;
}
