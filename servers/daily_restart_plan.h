// The daily restart, one server a tick in slot order, so that only one is
// ever down: at each tick the server stopped at the tick before is started
// again, and the next one is stopped.
#pragma once

#include <functional>

#include "servers/server_slots.h"

// What to do at one tick; -1: nothing.
struct DailyRestartStep {
    // Stopped at the last tick: start it if its process has ended; if it
    // still runs, leave it running and record that its restart was skipped.
    int startSlot = -1;
    int stopSlot = -1;
};

class DailyRestartPlan {
public:
    // At each tick, with whether the restart is due at it (then it begins
    // again from the first slot, a server stopped at the tick before still
    // to be started) and whether the server in a slot is one to restart
    // now: it runs and does not wait for a relaunch.
    DailyRestartStep Step(bool due, const std::function<bool(int slot)>& restartable);
    // The operator has started or stopped this server since the plan stopped
    // it: it is no longer the plan's to start.
    void Forget(int slot);

private:
    int m_nextSlot = -1;  // -1: no restart under way
    int m_stoppedSlot = -1;
};
