#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "servers/server_run_state.h"

namespace {

// 2026-12-08 03:00:00 at +01:00.
constexpr std::int64_t kThree = 1796695200;
const char kNoFile[] = "The system cannot find the file specified.";

struct Step {
    const char* what;
    std::int64_t secondsAfterThree;
    std::function<void(ServerRunFacts&, const ServerConfig&)> report;
    bool markedRunning;
    bool processEnded;
    RunMark mark;
    const char* status;
};

}  // namespace

// One server's story, told to the facts as process control tells it, read
// back as the list's mark and the status bar's sentence.
TEST(ServerRunState, MarkAndSentenceFollowWhatProcessControlReported)
{
    WallTime now{kThree, 60};
    ServerRunFacts facts([&] { return now; });
    ServerManager table;
    table.observer = &facts;
    ASSERT_TRUE(table.AddServer());
    ServerConfig friday;
    CopyText(friday.name, "Friday");
    const ProcessEnd crash{true, 0xC0000005u, 60};
    const auto nothing = [](ServerRunFacts&, const ServerConfig&) {};
    const auto relaunch = [&](ServerRunFacts& f, const ServerConfig& s) {
        f.Exited(0, s, crash, {});
        f.Started(0, s, StartCause::Watchdog, 8);
    };
    const Step steps[] = {
        {"never started", 0, nothing, false, false, RunMark::Stopped, "Friday: stopped"},
        {"started", 0, [](auto& f, auto& s) { f.Started(0, s, StartCause::Operator, 7); }, true, false,
         RunMark::Running, "Friday: running for 0:00:00"},
        {"later", 764, nothing, true, false, RunMark::Running, "Friday: running for 0:12:44"},
        {"crashed, not yet seen", 764, nothing, true, true, RunMark::ShouldRun,
         "Friday: ended, waiting for the watchdog to start it again"},
        {"relaunched", 764, relaunch, true, false, RunMark::Relaunched,
         "Friday: running for 0:00:00, relaunched 1 time since the operator's start, last exit 0xC0000005 "
         "(access violation) at 03:12:44"},
        {"twice more, exit 3", 900,
         [&](auto& f, auto& s) {
             relaunch(f, s);
             f.Exited(0, s, ProcessEnd{true, 3, 1}, {});
             f.Started(0, s, StartCause::Watchdog, 9);
         },
         true, false, RunMark::Relaunched,
         "Friday: running for 0:00:00, relaunched 3 times since the operator's start, last exit 3 at 03:15:00"},
        {"an hour on", 900 + 3600, nothing, true, false, RunMark::Running,
         "Friday: running for 1:00:00, relaunched 3 times since the operator's start, last exit 3 at 03:15:00"},
        {"waiting in the back-off", 4000,
         [](auto& f, auto& s) { f.Exited(0, s, ProcessEnd{true, 1, 2}, NextStart{4, {kThree + 4240, 60}, 4}); }, true,
         true, RunMark::ShouldRun, "Friday: next start at 04:10:40 (back-off after 4 quick exits)"},
        {"relaunch failed", 4600, [](auto& f, auto& s) { f.StartFailed(0, s, StartCause::Watchdog, kNoFile); }, false,
         false, RunMark::ShouldRun,
         "Friday: start failed at 04:16:40: The system cannot find the file specified."},
        {"started by the operator", 4700, [](auto& f, auto& s) { f.Started(0, s, StartCause::Operator, 10); }, true,
         false, RunMark::Running, "Friday: running for 0:00:00"},
        {"stopped", 4800, [](auto& f, auto& s) { f.Stopped(0, s, ProcessEnd{true, 0, 100}); }, false, false,
         RunMark::Stopped, "Friday: stopped"},
        {"adopted from a set", 4800, [](auto& f, auto& s) { f.Adopted(0, s, 11, 3600); }, true, false,
         RunMark::Running, "Friday: running for 1:00:00"},
        {"a failed start, then the slot deleted", 4800,
         [&](auto& f, auto& s) {
             f.StartFailed(0, s, StartCause::Operator, "No.");
             table.DeleteCurrentServer();
         },
         false, false, RunMark::Stopped, "Friday: stopped"},
        {"marked running by a set, not yet adopted", 4800, nothing, true, false, RunMark::Running,
         "Friday: running"},
    };
    for (const Step& step : steps) {
        now.utcSeconds = kThree + step.secondsAfterThree;
        step.report(facts, friday);
        const ServerRun run{step.markedRunning, step.processEnded, facts.Of(0)};
        EXPECT_EQ(MarkOf(run, now), step.mark) << step.what;
        EXPECT_EQ(StatusText(friday.name, run, now), step.status) << step.what;
    }
    EXPECT_EQ(facts.Of(1).relaunches, 0) << "another slot";
}
