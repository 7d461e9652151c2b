#include "servers/daily_restart_plan.h"

DailyRestartStep DailyRestartPlan::Step(bool due, const std::function<bool(int slot)>& restartable)
{
    if (due)
        m_nextSlot = 0;
    DailyRestartStep step;
    step.startSlot = m_stoppedSlot;
    m_stoppedSlot = -1;
    while (m_nextSlot >= 0 && m_nextSlot < kMaxServers) {
        const int slot = m_nextSlot++;
        if (restartable(slot)) {
            step.stopSlot = m_stoppedSlot = slot;
            return step;
        }
    }
    m_nextSlot = -1;
    return step;
}

void DailyRestartPlan::Forget(int slot)
{
    if (slot == m_stoppedSlot)
        m_stoppedSlot = -1;
}
