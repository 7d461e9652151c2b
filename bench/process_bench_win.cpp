// Times process control over the stand-in game server, in a throw-away
// working directory: StartServer, a watchdog pass over 32 running servers
// (nothing to relaunch), and StopAllServers over 32 servers that quit when
// asked. Each round starts the 32 servers afresh. Then what a hung server
// costs a stop: the quit wait and the bounded close message, and the quit
// wait alone once the system calls its window hung.
#include <windows.h>

#include <string>
#include <vector>

#include "bench/bench_report.h"
#include "servers/process_window_win.h"
#include "servers/server_manager.h"
#include "standin/standin_protocol.h"
#include "tests/support/standin_workspace_win.h"

namespace {

constexpr int kRounds = 3;
constexpr int kWatchdogPasses = 10;
constexpr unsigned kStartTimeoutMs = 60000;
constexpr unsigned kEndTimeoutMs = 10000;
constexpr int kHungRounds = 2;
constexpr unsigned kHungReportedTimeoutMs = 15000;

bool WindowReportedHung(DWORD processId, unsigned timeoutMs)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    const HWND window = FirstWindowOfProcess(processId);
    while (window != nullptr && !::IsHungAppWindow(window)) {
        if (::GetTickCount64() >= deadline)
            return false;
        ::Sleep(50);
    }
    return window != nullptr;
}

// Stops a freshly hung server twice: before and after the system calls its
// window hung. The workspace ends the hung servers when it goes.
bool TimeHungStops(StandinWorkspace& workspace, std::vector<double>& beforeReported, std::vector<double>& reported)
{
    workspace.SetOption(standin::kHangVariable, "1");
    ServerManager manager;
    manager.AddServer();
    for (int round = 1; round <= kHungRounds; ++round) {
        if (!manager.StartServer(0)) {
            ReportFailure("hung round " + std::to_string(round) + ": did not start");
            return false;
        }
        const DWORD processId = manager.slots[0]->process.dwProcessId;
        if (workspace.WaitForEvents(standin::kHangEvent, processId, kStartTimeoutMs).empty()) {
            ReportFailure("hung round " + std::to_string(round) + ": the server did not hang");
            return false;
        }
        beforeReported.push_back(TimeMs([&] { manager.StopServer(0); }));
        if (!WindowReportedHung(processId, kHungReportedTimeoutMs)) {
            ReportFailure("hung round " + std::to_string(round) + ": the window was never called hung");
            return false;
        }
        reported.push_back(TimeMs([&] { manager.StopServer(0); }));
    }
    workspace.ClearOptions();
    return true;
}

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

    std::vector<double> hungStops;
    std::vector<double> reportedHungStops;
    if (!TimeHungStops(workspace, hungStops, reportedHungStops))
        return 1;

    ReportSamples("StartServer", "1 server", starts, "ms");
    ReportSamples("RestartExitedServers (watchdog pass)", "32 running", passes, "ms");
    ReportSamples("StopAllServers", "32 cooperating", stops, "ms");
    ReportSamples("StopServer", "1 hung", hungStops, "ms");
    ReportSamples("StopServer", "1 hung, window called hung", reportedHungStops, "ms");
    ReportNote("StopServer of a hung server: the second a quit is waited for, then the close message's bound of two "
               "seconds; once the system calls the window hung, the close message is skipped");
    return 0;
}
