#include "servers/watchdog.h"

void Watchdog::Apply(const WatchdogSettings& settings, WallTime now)
{
    if (DailyRestartText(settings.dailyRestart) != DailyRestartText(m_settings.dailyRestart)) {
        m_schedule = DailyRestartSchedule(settings.dailyRestart);
        m_lastTick = LocalTimeOf(now);
    }
    if (!settings.backOff) {
        for (RelaunchBackOff& backOff : m_backOff) {
            if (!backOff.Waiting())
                backOff.EndLoop();
        }
    }
    m_settings = settings;
}

DailyRestartStep Watchdog::DailyStep(WallTime now, const std::function<bool(int slot)>& runs)
{
    const LocalTime local = LocalTimeOf(now);
    const bool due = m_schedule.Due(m_lastTick, local);
    m_lastTick = local;
    return m_plan.Step(due, [&](int slot) { return runs(slot) && !Waiting(slot); });
}

const ExitVerdict& Watchdog::Exited(int slot, std::int64_t started, std::int64_t exited)
{
    return m_backOff[slot].Exited(m_settings.backOff, started, exited);
}

bool Watchdog::WaitHasEnded(int slot, WallTime now) const
{
    const RelaunchBackOff& backOff = m_backOff[slot];
    return backOff.Waiting() && (!m_settings.backOff || backOff.TimeHasCome(now.utcSeconds, kWatchdogTickSeconds));
}

void Watchdog::OperatorActed(int slot)
{
    m_backOff[slot].EndLoop();
    m_plan.Forget(slot);
}
