// What the watchdog decides beyond relaunching every ended server at every
// tick, for the whole table: the operator's settings, each slot's back-off
// and the daily restart under way. It reads no clock and touches no
// process: the pass in process control hands it the times and does what it
// decides. With both settings off it decides nothing but "relaunch now".
#pragma once

#include <cstdint>
#include <functional>

#include "servers/daily_restart_plan.h"
#include "servers/daily_restart_schedule.h"
#include "servers/relaunch_back_off.h"
#include "servers/server_slots.h"
#include "servers/wall_clock.h"
#include "servers/watchdog_settings.h"

// The admin window's timer runs the pass this often.
constexpr int kWatchdogTickSeconds = 30;

class Watchdog {
public:
    // From `now` on. A daily restart time set anew is watched from `now`,
    // so a time already past today waits for tomorrow. With the back-off
    // turned off, its loops are forgotten, and a server waiting in one
    // starts at the next tick.
    void Apply(const WatchdogSettings& settings, WallTime now);

    // The daily restart's step at this tick: `runs` tells the servers that
    // run; one waiting in a back-off is not restarted.
    DailyRestartStep DailyStep(WallTime now, const std::function<bool(int slot)>& runs);

    // The verdict on an exit the pass found.
    const ExitVerdict& Exited(int slot, std::int64_t started, std::int64_t exited);
    bool Waiting(int slot) const { return m_backOff[slot].Waiting(); }
    // Whether a waiting server is to start at this tick; WaitOver once it
    // is started.
    bool WaitHasEnded(int slot, WallTime now) const;
    void WaitOver(int slot) { m_backOff[slot].WaitOver(); }

    // The operator's Start or Stop, a set's start, or the slot emptied: the
    // server's loop and any wait end, and a daily restart leaves it alone.
    void OperatorActed(int slot);

private:
    WatchdogSettings m_settings;
    RelaunchBackOff m_backOff[kMaxServers];
    DailyRestartSchedule m_schedule{DailyRestartTime{}};
    DailyRestartPlan m_plan;
    LocalTime m_lastTick = {};
};
