// What the operator chose for the watchdog beyond its relaunch at every
// tick. Both are off by default, and then the watchdog relaunches every
// ended server at every tick, as it always has.
#pragma once

#include "servers/daily_restart_schedule.h"

struct WatchdogSettings {
    // Slow down relaunches of a server that keeps ending soon after its start.
    bool backOff = false;
    DailyRestartTime dailyRestart;
};

inline bool operator==(const WatchdogSettings& a, const WatchdogSettings& b)
{
    return a.backOff == b.backOff && a.dailyRestart.on == b.dailyRestart.on &&
           (!a.dailyRestart.on ||
            (a.dailyRestart.hour == b.dailyRestart.hour && a.dailyRestart.minute == b.dailyRestart.minute));
}
inline bool operator!=(const WatchdogSettings& a, const WatchdogSettings& b) { return !(a == b); }
