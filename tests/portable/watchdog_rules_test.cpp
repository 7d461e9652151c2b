#include <gtest/gtest.h>

#include <tuple>

#include "servers/daily_restart_plan.h"
#include "servers/daily_restart_schedule.h"
#include "servers/relaunch_back_off.h"

// One server's exits in turn, each `run` seconds after its start, with the
// back-off on or off; `stop`: the operator stops it while it waits, which
// ends the loop as a Start does. At the 3rd and 10th exits a loop reaches
// 2 minutes; the 7th ends one after a good run; the last is with the
// back-off off. A waiting server starts at a 30-s tick up to 10 s before
// its time, and its start still knows the wait.
TEST(RelaunchBackOff, WaitsLongerWhileExitsStayQuickAndTellsOfEachLoopOnce)
{
    const struct { int run, on, wait, quickExits, crashLoop, stop; } exits[] = {{3, 1, 0, 1, 0, 0}, {3, 1, 1, 2, 0, 0},
        {599, 1, 2, 3, 1, 0}, {3, 1, 4, 4, 0, 0}, {3, 1, 5, 5, 0, 0}, {3, 1, 5, 6, 0, 0}, {600, 1, 0, 0, 0, 0},
        {3, 1, 0, 1, 0, 0}, {3, 1, 1, 2, 0, 0}, {3, 1, 2, 3, 1, 1}, {3, 1, 0, 1, 0, 0}, {3, 0, 0, 0, 0, 0}};
    RelaunchBackOff backOff;
    std::int64_t since = 0;
    for (const auto& e : exits) {
        const std::int64_t start = (&e - exits) * 1000, exit = start + e.run, next = exit + e.wait * 60;
        since = e.quickExits == 1 ? exit : since;
        const ExitVerdict v = backOff.Exited(e.on, start, exit);
        const bool early = backOff.TimeHasCome(next - 11, 30), onTime = backOff.TimeHasCome(next - 10, 30);
        e.stop ? backOff.EndLoop() : backOff.WaitOver();
        EXPECT_EQ(std::make_tuple(v.waitMinutes, v.nextStart, v.quickExits, v.loopSince, v.crashLoopDue, early, onTime,
                      backOff.Waiting(), backOff.LastExit().waitMinutes),
            std::make_tuple(e.wait, next, e.quickExits, e.quickExits ? since : 0, e.crashLoop == 1, false, e.wait > 0,
                false, e.stop ? 0 : e.wait)) << &e - exits;
    }
}

// Ticks every 30 s for two days from `start`, seconds after the first
// midnight, the wall clock jumping by `jump` seconds at `jumpAt`: from 02:00
// to 03:00 in spring, from 03:00 back to 02:00 in autumn. `firstAt` is the
// first restart's tick: in spring at 03:00:10, just after the jump over the
// time; in autumn at the first of a time that comes twice, or at 03:00:10
// after the second 02:59:40; started at 09:00, not until 04:00:00 the next
// day.
TEST(DailyRestartSchedule, RestartsOnceADayAtTheFirstTickAtOrAfterItsTime)
{
    const struct { const char* time; int start, jumpAt, jump, restarts, firstAt; } days[] = {
        {"02:30", 10, 7200, 3600, 2, 7210}, {"02:30", 10, 10800, -3600, 2, 9010}, {"03:00", 10, 10800, -3600, 2, 14410},
        {"04:00", 32400, 0, 0, 1, 100800}, {"00:00", 10, 0, 0, 1, 86410}, {"", 10, 0, 0, 0, 0}};
    DailyRestartTime time;
    for (const auto& d : days) {
        EXPECT_TRUE(ParseDailyRestartText(d.time, time) && DailyRestartText(time) == d.time);
        const auto wall = [&](int s) {
            s += s >= d.jumpAt ? d.jump : 0;
            return LocalTime{2027, 3, 10 + s / 86400, s / 3600 % 24, s / 60 % 60, s % 60, 0};
        };
        DailyRestartSchedule schedule(time);
        int restarts = 0, firstAt = 0;
        for (int s = d.start + 30; s < 2 * 86400; s += 30)
            firstAt = schedule.Due(wall(s - 30), wall(s)) && restarts++ == 0 ? s : firstAt;
        EXPECT_EQ(std::make_pair(restarts, firstAt), std::make_pair(d.restarts, d.firstAt)) << d.time;
    }
    for (const char* bad : {"24:00", "12:60", "4:05", "12:5", "123:00", " 04:00", "04:00 ", "04-00", "0x:00"})
        EXPECT_TRUE(ParseDailyRestartText("04:00", time) && !ParseDailyRestartText(bad, time) && !time.on) << bad;
}

// Slots 1, 4, 6 and 31 run; the restart is due at the second tick, each
// step the slot to start and the slot to stop. The operator starts 4 again
// before the plan does (said at every tick, it counts only once 4 is
// stopped). Nothing happens before the restart is due, nor after the last
// slot.
TEST(DailyRestartPlan, StopsOneServerATickAndStartsItAtTheNext)
{
    const std::pair<int, int> steps[] = {{-1, -1}, {-1, 1}, {1, 4}, {-1, 6}, {6, 31}, {31, -1}, {-1, -1}};
    DailyRestartPlan plan;
    for (const auto& want : steps) {
        plan.Forget(4);
        const auto step = plan.Step(&want == steps + 1, [](int s) { return s == 1 || s == 4 || s == 6 || s == 31; });
        EXPECT_EQ(std::make_pair(step.startSlot, step.stopSlot), want) << &want - steps;
    }
}
