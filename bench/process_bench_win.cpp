// Times process control over the stand-in game server, in a throw-away
// working directory: StartServer, a watchdog pass over 32 running servers
// (nothing to relaunch), and StopAllServers over 32 servers that quit when
// asked. Each round starts the 32 servers afresh. Prints best, median and
// worst of the samples, in milliseconds.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "servers/server_manager.h"
#include "standin/standin_workspace_win.h"

namespace {

constexpr int kRounds = 3;
constexpr int kWatchdogPasses = 10;
constexpr unsigned kStartTimeoutMs = 60000;
constexpr unsigned kEndTimeoutMs = 10000;

double TimeMs(const std::function<void()>& operation)
{
    const auto start = std::chrono::steady_clock::now();
    operation();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void PrintRow(const char* name, std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    std::printf("%-40s %8zu %10.2f %10.2f %10.2f\n", name, ms.size(), ms.front(), ms[ms.size() / 2], ms.back());
}

}  // namespace

int main()
{
    StandinWorkspace workspace;
    if (!workspace.Ready()) {
        std::printf("no stand-in workspace at %s\n", workspace.Folder().c_str());
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
                std::printf("round %d: slot %d did not start\n", round, i);
                return 1;
            }
        }
        // Only servers that are up, with their window and queue, can take
        // the quit and close messages the stop sends.
        if (!workspace.WaitForStarts(static_cast<std::size_t>(round * kMaxServers), kStartTimeoutMs)) {
            std::printf("round %d: not every server came up\n", round);
            return 1;
        }
        for (int pass = 0; pass < kWatchdogPasses; ++pass)
            passes.push_back(TimeMs([&] { manager.RestartExitedServers(); }));
        if (manager.CountRunning() != kMaxServers) {
            std::printf("round %d: a running server was relaunched or lost\n", round);
            return 1;
        }
        stops.push_back(TimeMs([&] { manager.StopAllServers(); }));
        if (!workspace.WaitAllEnded(kEndTimeoutMs)) {
            std::printf("round %d: servers still running after the stop\n", round);
            return 1;
        }
    }

    std::printf("%d servers, %d rounds\n", kMaxServers, kRounds);
    std::printf("%-40s %8s %10s %10s %10s\n", "operation", "samples", "best ms", "median ms", "worst ms");
    PrintRow("StartServer (one server)", starts);
    PrintRow("RestartExitedServers (32 running)", passes);
    PrintRow("StopAllServers (32 cooperating)", stops);
    return 0;
}
