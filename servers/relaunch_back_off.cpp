#include "servers/relaunch_back_off.h"

#include <algorithm>

namespace {

// The wait after the first, second, ... quick exit in a row; every further
// one waits as long as the last.
constexpr int kWaitMinutes[] = {0, 1, 2, 4, 5};
constexpr int kWaits = sizeof kWaitMinutes / sizeof kWaitMinutes[0];
// A loop that reaches this wait is worth telling the operator of.
constexpr int kCrashLoopWaitMinutes = 2;

}  // namespace

const ExitVerdict& RelaunchBackOff::Exited(bool backOffOn, std::int64_t started, std::int64_t exited)
{
    if (!backOffOn || exited - started >= kQuickExitSeconds) {
        EndLoop();
        m_last.nextStart = exited;
        return m_last;
    }
    const int previousWait = m_last.waitMinutes;
    if (m_last.quickExits == 0)
        m_last.loopSince = exited;
    ++m_last.quickExits;
    m_last.waitMinutes = kWaitMinutes[std::min(m_last.quickExits, kWaits) - 1];
    m_last.nextStart = exited + m_last.waitMinutes * std::int64_t{60};
    // The waits only grow within a loop, so this is its first reaching them.
    m_last.crashLoopDue = m_last.waitMinutes >= kCrashLoopWaitMinutes && previousWait < kCrashLoopWaitMinutes;
    m_waiting = m_last.waitMinutes > 0;
    return m_last;
}

bool RelaunchBackOff::TimeHasCome(std::int64_t now, std::int64_t tickSeconds) const
{
    return m_waiting && now >= m_last.nextStart - tickSeconds / 3;
}

void RelaunchBackOff::EndLoop()
{
    m_last = ExitVerdict{};
    m_waiting = false;
}
