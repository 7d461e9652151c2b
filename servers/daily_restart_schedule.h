// When the daily restart is due: at the first tick at or after its time of
// day, once a day, on the local wall clock as the caller reads it. The
// schedule reads no clock; each tick hands in its own time and the one
// before it.
#pragma once

#include <string>

#include "servers/wall_clock.h"

// The time of day of the restart, 24-hour local time.
struct DailyRestartTime {
    bool on = false;
    int hour = 0;
    int minute = 0;
};

// As a set keeps it: "HH:MM", or empty for off.
std::string DailyRestartText(const DailyRestartTime& time);
// Empty text is off, "HH:MM" from 00:00 to 23:59 a time. False for
// anything else, which leaves `time` off.
bool ParseDailyRestartText(const std::string& text, DailyRestartTime& time);

class DailyRestartSchedule {
public:
    explicit DailyRestartSchedule(const DailyRestartTime& time) : m_time(time) {}

    // True at the first tick at or after the day's time: the previous
    // tick's wall clock was before it and this one's is not, and it has not
    // been due yet that day. So a tool started after the time does nothing
    // that day, a clock that jumps ahead over the time restarts at the tick
    // after the jump, and one set back over it, as daylight-saving time
    // ends, does not restart again. For the first tick, `previous` is when
    // the schedule began to watch.
    bool Due(const LocalTime& previous, const LocalTime& now);

private:
    DailyRestartTime m_time;
    LocalTime m_lastRestartDay = {};  // its time of day unused
};
