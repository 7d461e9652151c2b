#include "servers/server_run_state.h"

#include "servers/exit_code.h"

namespace {

// The system's own codes in hex, named when they have a name; others as
// they are.
std::string ExitText(std::uint32_t code)
{
    const std::string hex = SystemCodeHex(code);
    if (hex.empty())
        return std::to_string(code);
    const char* name = SystemCodeName(code);
    return name != nullptr ? hex + " (" + name + ")" : hex;
}

// The relaunches and the exit that caused the last of them.
std::string RelaunchText(const RunFacts& facts)
{
    if (facts.relaunches == 0)
        return std::string();
    std::string text = ", relaunched " + std::to_string(facts.relaunches) +
                       (facts.relaunches == 1 ? " time" : " times") + " since the operator's start";
    if (facts.hasExited)
        text += ", last exit " + ExitText(facts.exitCode) + " at " + TimeOfDayText(facts.exited);
    return text;
}

}  // namespace

RunMark MarkOf(const ServerRun& run, WallTime now)
{
    if (run.markedRunning) {
        if (run.processEnded || run.facts.waiting)
            return RunMark::ShouldRun;
        const bool recentRelaunch = run.facts.relaunches > 0 &&
                                    now.utcSeconds - run.facts.lastRelaunch.utcSeconds < kRecentRelaunchSeconds;
        return recentRelaunch ? RunMark::Relaunched : RunMark::Running;
    }
    return run.facts.startFailed ? RunMark::ShouldRun : RunMark::Stopped;
}

std::string StatusText(const char* name, const ServerRun& run, WallTime now)
{
    const std::string server = std::string(name) + ": ";
    const RunFacts& facts = run.facts;
    if (run.markedRunning && facts.waiting)
        return server + "next start at " + TimeOfDayText(facts.nextStart) + " (back-off after " +
               std::to_string(facts.quickExits) + " quick exits)";
    if (run.markedRunning && run.processEnded)
        return server + "ended, waiting for the watchdog to start it again";
    // A server the set keeps as running is marked so before it is adopted
    // or started: no start of it is known yet.
    if (run.markedRunning && facts.started.utcSeconds == 0)
        return server + "running";
    if (run.markedRunning)
        return server + "running for " + RunTimeText(now.utcSeconds - facts.started.utcSeconds) + RelaunchText(facts);
    if (facts.startFailed)
        return server + "start failed at " + TimeOfDayText(facts.startFailedAt) + ": " + facts.startFailure;
    return server + "stopped";
}
