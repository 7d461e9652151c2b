// The watchdog's back-off for one server that keeps ending soon after its
// start: instead of a relaunch at every tick all night, waits that grow
// while the exits stay quick, forgotten after a good run. Times are whole
// seconds on one clock of the caller's choosing.
#pragma once

#include <cstdint>

// An exit less than this after the process's start is a quick one.
constexpr std::int64_t kQuickExitSeconds = 10 * 60;

// What the watchdog does about one exit it found.
struct ExitVerdict {
    // 0: start again at this tick. Otherwise the wait, counted from the
    // exit, and when it ends (the exit itself when there is none).
    int waitMinutes = 0;
    std::int64_t nextStart = 0;
    // Quick exits in a row, this one included (0 after a good run), and
    // when the first of them happened.
    int quickExits = 0;
    std::int64_t loopSince = 0;
    // The loop has just reached a wait long enough to tell the operator of;
    // once a loop.
    bool crashLoopDue = false;
};

class RelaunchBackOff {
public:
    // The watchdog found that the process, started at `started`, ended at
    // `exited`. With the back-off off every exit is relaunched at once and
    // no loop is counted.
    const ExitVerdict& Exited(bool backOffOn, std::int64_t started, std::int64_t exited);
    // The verdict on the last exit, until the loop ends: the wait the
    // relaunch comes after and, while waiting, when it ends.
    const ExitVerdict& LastExit() const { return m_last; }

    bool Waiting() const { return m_waiting; }
    // Ticks come every tickSeconds, so a wait rarely ends on one: a waiting
    // server starts at the first tick no more than a third of a tick before
    // its time, never more than a third early nor two thirds late.
    bool TimeHasCome(std::int64_t now, std::int64_t tickSeconds) const;
    // The watchdog has started it again after the wait; the loop goes on.
    void WaitOver() { m_waiting = false; }
    // The operator's Start or Stop ends the loop and any wait.
    void EndLoop();

private:
    ExitVerdict m_last;
    bool m_waiting = false;
};
