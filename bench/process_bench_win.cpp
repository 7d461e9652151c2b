// Times process control over the stand-in game server, in a throw-away
// working directory: StartServer, a watchdog pass over 32 running servers
// (nothing to relaunch), and StopAllServers over 32 servers that quit when
// asked. Each round starts the 32 servers afresh.
#include <string>
#include <vector>

#include "bench/bench_report.h"
#include "servers/server_manager.h"
#include "tests/support/standin_workspace_win.h"

namespace {

constexpr int kRounds = 3;
constexpr int kWatchdogPasses = 10;
constexpr unsigned kStartTimeoutMs = 60000;
constexpr unsigned kEndTimeoutMs = 10000;

}  // namespace

int main()
{
    StandinWorkspace workspace;
    if (!workspace.Ready()) {
        ReportFailure("no stand-in workspace at " + workspace.Folder());
        return 1;
    }
    ServerManager manager;
    for (int i = 0; i < kMaxServers; ++i)
        manager.AddServer();

    std::vector<double> starts;
    std::vector<double> passes;
    std::vector<double> stops;
    for (int round = 1; round <= kRounds; ++round) {
        for (int i = 0; i < kMaxServers; ++i) {
            bool started = false;
            starts.push_back(TimeMs([&] { started = manager.StartServer(i); }));
            if (!started) {
                ReportFailure("round " + std::to_string(round) + ": slot " + std::to_string(i) + " did not start");
                return 1;
            }
        }
        // Only servers that are up, with their window and queue, can take
        // the quit and close messages the stop sends.
        if (!workspace.WaitForStarts(static_cast<std::size_t>(round * kMaxServers), kStartTimeoutMs)) {
            ReportFailure("round " + std::to_string(round) + ": not every server came up");
            return 1;
        }
        for (int pass = 0; pass < kWatchdogPasses; ++pass)
            passes.push_back(TimeMs([&] { manager.RestartExitedServers(); }));
        if (manager.CountRunning() != kMaxServers) {
            ReportFailure("round " + std::to_string(round) + ": a running server was relaunched or lost");
            return 1;
        }
        stops.push_back(TimeMs([&] { manager.StopAllServers(); }));
        if (!workspace.WaitAllEnded(kEndTimeoutMs)) {
            ReportFailure("round " + std::to_string(round) + ": servers still running after the stop");
            return 1;
        }
    }

    ReportSamples("StartServer", "1 server", starts, "ms");
    ReportSamples("RestartExitedServers (watchdog pass)", "32 running", passes, "ms");
    ReportSamples("StopAllServers", "32 cooperating", stops, "ms");
    return 0;
}
