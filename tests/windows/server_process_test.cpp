// Process control against the real stand-in QYR.exe, each test in its own
// working directory. Stand-ins end by themselves after a minute at the
// latest; the workspace ends any a test leaves behind on purpose.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <future>
#include <stdexcept>
#include <string>
#include <vector>

#include "history/server_history.h"
#include "servers/process_window_win.h"
#include "servers/server_manager.h"
#include "standin/standin_protocol.h"
#include "tests/support/standin_workspace_win.h"
#include "tests/windows/process_usage.h"

namespace {

const unsigned kStartTimeoutMs = 15000;
const unsigned kEndTimeoutMs = 5000;
// Far beyond the bound of a stop (kQuitWaitMs + kCloseWaitMs), however
// loaded the machine.
const unsigned kHungLifetimeMs = 30000;

// What a fresh record of the first slot, in a game folder without maps,
// starts its server with.
const char kFirstDefaultLine[] =
    " +server qyr +port 27015 +map TeamDeathMatch\\ +maxplayers 16 +matchtime 30 +freezetime 4 +roundtime 5"
    " +rankpoints 700 +damagemultiplier 1.500000 +jumpslowdown 0.500000 +friendlyfire +dedicated +specall"
    " +allowshadows +minimize +pure +hash +anticheat";

std::uintptr_t SystemAffinity()
{
    DWORD_PTR processMask = 0;
    DWORD_PTR systemMask = 0;
    ::GetProcessAffinityMask(::GetCurrentProcess(), &processMask, &systemMask);
    return systemMask;
}

std::uintptr_t ProcessAffinity(HANDLE process)
{
    DWORD_PTR processMask = 0;
    DWORD_PTR systemMask = 0;
    ::GetProcessAffinityMask(process, &processMask, &systemMask);
    return processMask;
}

std::uintptr_t ThreadAffinity(HANDLE thread)
{
    GROUP_AFFINITY affinity = {};
    ::GetThreadGroupAffinity(thread, &affinity);
    return affinity.Mask;
}

std::string Hex(std::uintptr_t mask)
{
    char text[24];
    std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(mask));
    return text;
}

bool HasEnded(HANDLE process, unsigned timeoutMs = kEndTimeoutMs)
{
    return ::WaitForSingleObject(process, timeoutMs) == WAIT_OBJECT_0;
}

bool WaitUntil(const std::function<bool()>& done, unsigned timeoutMs)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    while (!done()) {
        if (::GetTickCount64() >= deadline)
            return false;
        ::Sleep(50);
    }
    return true;
}

// The time the watchdog's pass spends in the history.
class TimedHistory : public ServerHistory {
public:
    using ServerHistory::ServerHistory;
    void Exited(int slot, const ServerConfig& server, const ProcessEnd& end, const NextStart& next) override
    {
        const auto start = std::chrono::steady_clock::now();
        ServerHistory::Exited(slot, server, end, next);
        ms += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }
    void Started(int slot, const ServerConfig& server, StartCause cause, std::uint32_t processId) override
    {
        const auto start = std::chrono::steady_clock::now();
        ServerHistory::Started(slot, server, cause, processId);
        ms += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    }

    double ms = 0;
};

class ServerProcess : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(workspace.Ready()) << "no stand-in workspace at " << workspace.Folder(); }

    void AddServers(int n)
    {
        for (int i = 0; i < n; ++i)
            ASSERT_TRUE(manager.AddServer());
    }

    ServerConfig& Server(int index) { return *manager.slots[index]; }
    unsigned long Pid(int index) { return manager.slots[index]->process.dwProcessId; }

    // The single event of this kind from the server's current process.
    StandinEvent WaitForEvent(const char* name, int index, unsigned timeoutMs = kStartTimeoutMs)
    {
        const unsigned long pid = Pid(index);
        const StandinEvents found = workspace.WaitForEvents(name, pid, timeoutMs);
        EXPECT_EQ(found.size(), 1u) << "\"" << name << "\" lines of pid " << pid;
        return found.empty() ? StandinEvent() : found.front();
    }

    void StartAndWait(int index)
    {
        ASSERT_TRUE(manager.StartServer(index));
        WaitForEvent(standin::kStartEvent, index);
    }

    std::size_t CountEvents(const char* name, int index) { return Select(workspace.Events(), name, Pid(index)).size(); }

    StandinWorkspace workspace;
    ServerManager manager;
};

using ServerLaunch = ServerProcess;
using ServerStop = ServerProcess;
using ServerWatchdog = ServerProcess;
using OneProcessor = ServerProcess;
using StandinWorkspaceWait = ServerProcess;

// The handle counts compare against a baseline taken after one launch and
// stop: the system opens handles of its own on a process's first launch,
// which would otherwise count against whichever test runs first.
class ServerHandles : public ServerProcess {
protected:
    static constexpr std::size_t kWarmUpLaunches = 1;

    void SetUp() override
    {
        ServerProcess::SetUp();
        ServerManager warmUp;
        ASSERT_TRUE(warmUp.AddServer());
        ASSERT_TRUE(warmUp.StartServer(0));
        ASSERT_TRUE(workspace.WaitForStarts(kWarmUpLaunches, kStartTimeoutMs));
        warmUp.StopAllServers();
        ASSERT_TRUE(workspace.WaitAllEnded(kEndTimeoutMs));
    }
};

TEST_F(ServerLaunch, StandinReceivesExactlyTheBuiltCommandLine)
{
    AddServers(1);
    ServerConfig& s = Server(0);
    CopyText(s.name, "Alpha Bravo");
    CopyText(s.password, "secret");
    CopyText(s.mapName, "Harbour");
    CopyText(s.rotationFile, "C:\\Rotations\\night games.map");
    s.useMapRotation = 1;
    s.playOn = 0;
    s.team2SkinSet = 2;
    s.useExternIp = 1;
    s.externIp[0] = 10;
    s.externIp[3] = 5;

    ASSERT_TRUE(manager.StartCurrent());
    EXPECT_EQ(s.running, 1);
    EXPECT_EQ(manager.CountRunning(), 1);
    const StandinEvent start = WaitForEvent(standin::kStartEvent, 0);
    EXPECT_EQ(start.Field("cmdline"),
              " +server Alpha Bravo +password secret +port 27015 +map TeamDeathMatch\\Harbour"
              " +maplist C:\\Rotations\\night games.map +lan +maxplayers 16 +matchtime 30 +freezetime 4"
              " +roundtime 5 +team2skinset 2 +rankpoints 700 +damagemultiplier 1.500000 +jumpslowdown 0.500000"
              " +friendlyfire +dedicated +specall +allowshadows +minimize +pure +hash +anticheat +externip 10.0.0.5");
    EXPECT_TRUE(manager.StopCurrent());
}

TEST_F(ServerLaunch, PinsEvenSlotsToTheFirstProcessorAndOddSlotsToTheSecond)
{
    ASSERT_EQ(SystemAffinity() & 3, 3u) << "needs a machine with two processors";
    AddServers(3);
    for (int i = 0; i < 3; ++i)
        StartAndWait(i);
    const std::uintptr_t expected[] = {1, 2, 1};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(ProcessAffinity(Server(i).process.hProcess), expected[i]) << "slot " << i;
        EXPECT_EQ(ThreadAffinity(Server(i).process.hThread), expected[i]) << "slot " << i;
    }
    // What the servers themselves see by the time they are told to quit.
    manager.StopAllServers();
    for (int i = 0; i < 3; ++i) {
        const StandinEvent quit = WaitForEvent(standin::kQuitEvent, i);
        EXPECT_EQ(quit.Field("affinity"), Hex(expected[i])) << "slot " << i;
        EXPECT_EQ(quit.Field("thread_affinity"), Hex(expected[i])) << "slot " << i;
    }
}

TEST_F(ServerLaunch, MissingProgramFailsAndLeavesRunningAsItWas)
{
    ASSERT_TRUE(workspace.RemoveProgram());
    AddServers(2);
    EXPECT_FALSE(manager.StartServer(0));
    EXPECT_EQ(Server(0).running, 0);
    EXPECT_EQ(Server(0).process.hProcess, nullptr);
    EXPECT_EQ(manager.CountRunning(), 0);

    Server(1).running = 1;
    EXPECT_FALSE(manager.StartServer(1));
    EXPECT_EQ(Server(1).running, 1);
}

TEST_F(ServerLaunch, EmptyAndOutOfRangeSlotsAreRefused)
{
    EXPECT_EQ(manager.CountRunning(), 0);
    EXPECT_FALSE(manager.StartCurrent());
    EXPECT_FALSE(manager.StopCurrent());
    AddServers(1);
    for (int index : {-1, 1, 31, 32}) {
        EXPECT_FALSE(manager.StartServer(index)) << index;
        EXPECT_FALSE(manager.StopServer(index)) << index;
    }
    // A server never launched can be stopped: nothing is sent anywhere.
    EXPECT_TRUE(manager.StopServer(0));
    EXPECT_TRUE(workspace.Events().empty());
}

TEST_F(ServerStop, ServerGetsQuitWithStillActiveCodeAndEnds)
{
    AddServers(1);
    StartAndWait(0);
    EXPECT_TRUE(manager.StopServer(0));
    EXPECT_EQ(Server(0).running, 0);
    EXPECT_EQ(manager.CountRunning(), 0);
    const StandinEvent quit = WaitForEvent(standin::kQuitEvent, 0);
    EXPECT_EQ(quit.Field("wparam"), "259");
    EXPECT_FALSE(quit.Has("ignored"));
    EXPECT_TRUE(HasEnded(Server(0).process.hProcess));
    // It ended on the quit message, so there was no window left to close.
    EXPECT_EQ(CountEvents(standin::kCloseEvent, 0), 0u);
}

TEST_F(ServerStop, ServerIgnoringQuitIsClosedThroughItsWindow)
{
    workspace.SetOption(standin::kIgnoreQuitVariable, "1");
    AddServers(1);
    StartAndWait(0);
    EXPECT_TRUE(manager.StopServer(0));
    EXPECT_EQ(Server(0).running, 0);
    const StandinEvent quit = WaitForEvent(standin::kQuitEvent, 0);
    EXPECT_EQ(quit.Field("wparam"), "259");
    EXPECT_TRUE(quit.Has("ignored"));
    const StandinEvent close = WaitForEvent(standin::kCloseEvent, 0);
    EXPECT_FALSE(close.Has("ignored"));
    EXPECT_TRUE(HasEnded(Server(0).process.hProcess));
}

// How long a hung server holds up a stop is measured in bench/. Here: had
// the stop waited on the hung window without a bound, it would have come
// back only once that server ended at the end of its lifetime.
TEST_F(ServerStop, HungServerDoesNotKeepTheStopFromTheOthers)
{
    workspace.SetOption(standin::kHangVariable, "1");
    workspace.SetOption(standin::kLifetimeMsVariable, std::to_string(kHungLifetimeMs));
    AddServers(2);
    StartAndWait(0);
    WaitForEvent(standin::kHangEvent, 0);
    workspace.ClearOptions();
    StartAndWait(1);

    manager.StopAllServers();
    EXPECT_EQ(manager.CountRunning(), 0);
    EXPECT_EQ(CountEvents(standin::kLifetimeEvent, 0), 0u);
    EXPECT_FALSE(HasEnded(Server(0).process.hProcess, 0));
    // The healthy server behind the hung one was reached and ended; the hung
    // one runs on, unmarked, since a stop never terminates.
    EXPECT_EQ(WaitForEvent(standin::kQuitEvent, 1).Field("wparam"), "259");
    EXPECT_TRUE(HasEnded(Server(1).process.hProcess));
}

TEST_F(ServerStop, WindowReportedHungIsLeftRunningUnmarked)
{
    workspace.SetOption(standin::kHangVariable, "1");
    workspace.SetOption(standin::kLifetimeMsVariable, std::to_string(kHungLifetimeMs));
    AddServers(1);
    StartAndWait(0);
    const HWND window = FirstWindowOfProcess(Pid(0));
    ASSERT_NE(window, nullptr);
    // The system calls a window hung once it has handled nothing for a few
    // seconds.
    ASSERT_TRUE(WaitUntil([window] { return ::IsHungAppWindow(window) != FALSE; }, 10000));

    EXPECT_TRUE(manager.StopServer(0));
    EXPECT_EQ(Server(0).running, 0);
    EXPECT_EQ(CountEvents(standin::kLifetimeEvent, 0), 0u);
    EXPECT_FALSE(HasEnded(Server(0).process.hProcess, 0));
}

TEST_F(ServerStop, StopAllLeavesServersNotMarkedRunningUntouched)
{
    workspace.SetOption(standin::kIgnoreQuitVariable, "1");
    workspace.SetOption(standin::kIgnoreCloseVariable, "1");
    AddServers(2);
    StartAndWait(0);
    workspace.ClearOptions();
    StartAndWait(1);

    // Deaf to both messages: stopped, it runs on, no longer marked running.
    EXPECT_TRUE(manager.StopServer(0));
    EXPECT_TRUE(WaitForEvent(standin::kCloseEvent, 0).Has("ignored"));
    EXPECT_FALSE(HasEnded(Server(0).process.hProcess, 0));

    manager.StopAllServers();
    EXPECT_TRUE(HasEnded(Server(1).process.hProcess));
    // The close message is sent synchronously, so a second stop of slot 0
    // would already show in its log.
    EXPECT_EQ(CountEvents(standin::kQuitEvent, 0), 1u);
    EXPECT_EQ(CountEvents(standin::kCloseEvent, 0), 1u);
    EXPECT_FALSE(HasEnded(Server(0).process.hProcess, 0));
}

TEST_F(ServerWatchdog, StoppedServerIsNotRelaunched)
{
    AddServers(1);
    StartAndWait(0);
    const unsigned long pid = Pid(0);
    manager.StopServer(0);
    ASSERT_TRUE(HasEnded(Server(0).process.hProcess));
    manager.RestartExitedServers();
    EXPECT_EQ(Server(0).running, 0);
    EXPECT_EQ(Pid(0), pid);
}

TEST_F(ServerWatchdog, CrashedServerIsRelaunchedWithTheSameCommandLine)
{
    workspace.SetOption(standin::kExitAfterMsVariable, "300");
    workspace.SetOption(standin::kExitCodeVariable, "7");
    AddServers(1);
    StartAndWait(0);
    const StandinEvent first = WaitForEvent(standin::kStartEvent, 0);
    ASSERT_TRUE(HasEnded(Server(0).process.hProcess));
    DWORD exitCode = 0;
    ASSERT_TRUE(::GetExitCodeProcess(Server(0).process.hProcess, &exitCode));
    EXPECT_EQ(exitCode, 7u);
    EXPECT_EQ(Server(0).running, 1);  // nobody has looked yet

    workspace.ClearOptions();
    const unsigned long crashed = Pid(0);
    manager.RestartExitedServers();
    EXPECT_EQ(Server(0).running, 1);
    EXPECT_NE(Pid(0), crashed);
    const StandinEvent second = WaitForEvent(standin::kStartEvent, 0);
    EXPECT_EQ(second.Field("cmdline"), first.Field("cmdline"));
    EXPECT_EQ(second.Field("cmdline"), kFirstDefaultLine);

    // A pass over a server that still runs changes nothing.
    const unsigned long relaunched = Pid(0);
    manager.RestartExitedServers();
    EXPECT_EQ(Pid(0), relaunched);
    EXPECT_EQ(Select(workspace.Events(), standin::kStartEvent).size(), 2u);
    manager.StopServer(0);
}

// Through a setting's text, as a test of the tool would make one server crash.
TEST_F(ServerLaunch, CrashSwitchEndsTheOneServerWithItsCodeOrByAnAccessViolation)
{
    const struct { const char* words; DWORD exitCode; } cases[] = {
        {"200 7", 7}, {"200 3221226505", 0xC0000409}, {"200 av", 0xC0000005},
        {"200", STILL_ACTIVE}, {"200 7x", STILL_ACTIVE}, {"0 7", STILL_ACTIVE},
    };
    int slot = 0;
    for (const auto& c : cases) {
        ASSERT_TRUE(manager.AddServer());
        CopyText(Server(slot).password, (std::string("x ") + standin::kExitAfterSwitch + " " + c.words).c_str());
        StartAndWait(slot);
        HasEnded(Server(slot).process.hProcess, c.exitCode == STILL_ACTIVE ? 500 : kEndTimeoutMs);
        DWORD exitCode = 0;
        ::GetExitCodeProcess(Server(slot++).process.hProcess, &exitCode);
        EXPECT_EQ(exitCode, c.exitCode) << c.words;
    }
    manager.StopAllServers();
}

// What goes wrong in the history stays there: whether its clock throws or
// its log write never returns, the crashed server is relaunched, and the
// pass spends no more than a millisecond in the history.
TEST_F(ServerWatchdog, AFailingHistoryLeavesTheRelaunchDone)
{
    workspace.SetOption(standin::kExitAfterMsVariable, "200");
    AddServers(1);
    for (const bool clockThrows : {true, false}) {
        SCOPED_TRACE(clockThrows ? "a clock that throws" : "a log write that never returns");
        std::promise<void> logTakesLines;
        const std::shared_future<void> logTookLines = logTakesLines.get_future().share();
        const ServerRunFacts runFacts(
            [clockThrows] { return clockThrows ? throw std::runtime_error("no clock") : WallTime{}; });
        const auto append = [logTookLines](const std::string&, const std::string&, std::string&) {
            logTookLines.wait();
            return true;
        };
        TimedHistory history(runFacts, {append, nullptr});
        history.ServerSetSaved(workspace.Folder() + "\\servers.ini");
        StartAndWait(0);
        ASSERT_TRUE(HasEnded(Server(0).process.hProcess));
        manager.observer = &history;
        manager.RestartExitedServers();
        EXPECT_EQ(Server(0).running, 1);
        EXPECT_LE(history.ms, 1.0);
        LogFailure failure;
        EXPECT_EQ(history.TakeWriteFailure(failure), clockThrows);
        logTakesLines.set_value();
        manager.StopServer(0);
        manager.observer = nullptr;  // the history goes with this round
    }
}

TEST_F(ServerWatchdog, FailedRelaunchIsNotRetried)
{
    workspace.SetOption(standin::kExitAfterMsVariable, "200");
    AddServers(1);
    StartAndWait(0);
    ASSERT_TRUE(HasEnded(Server(0).process.hProcess));
    ASSERT_TRUE(workspace.RemoveProgram());
    manager.RestartExitedServers();
    EXPECT_EQ(Server(0).running, 0);
    EXPECT_EQ(manager.CountRunning(), 0);

    ASSERT_TRUE(workspace.RestoreProgram());
    manager.RestartExitedServers();
    EXPECT_EQ(Server(0).running, 0);
    EXPECT_EQ(Select(workspace.Events(), standin::kStartEvent).size(), 1u);
}

TEST_F(ServerHandles, DeletionAndDestructionCloseTheLaunchHandles)
{
    const int before = CountOpenHandles();
    AddServers(1);
    StartAndWait(0);
    EXPECT_EQ(CountOpenHandles(), before + 2);
    manager.StopServer(0);
    ASSERT_TRUE(HasEnded(Server(0).process.hProcess));
    EXPECT_EQ(CountOpenHandles(), before + 2);  // kept until relaunch or deletion
    ASSERT_TRUE(manager.DeleteCurrentServer());
    EXPECT_EQ(CountOpenHandles(), before);

    {
        ServerManager other;
        ASSERT_TRUE(other.AddServer());
        ASSERT_TRUE(other.AddServer());
        ASSERT_TRUE(other.StartServer(0));
        ASSERT_TRUE(other.StartServer(1));
        ASSERT_TRUE(workspace.WaitForStarts(kWarmUpLaunches + 3, kStartTimeoutMs));
        other.StopAllServers();
        ASSERT_TRUE(workspace.WaitAllEnded(kEndTimeoutMs));
        EXPECT_EQ(CountOpenHandles(), before + 4);
    }
    EXPECT_EQ(CountOpenHandles(), before);
}

TEST_F(ServerHandles, FailedRelaunchLeavesNothingToCloseTwice)
{
    AddServers(1);
    const int before = CountOpenHandles();
    StartAndWait(0);
    const HANDLE launchHandles[] = {Server(0).process.hProcess, Server(0).process.hThread};
    manager.StopServer(0);
    ASSERT_TRUE(HasEnded(Server(0).process.hProcess));

    ASSERT_TRUE(workspace.RemoveProgram());
    EXPECT_FALSE(manager.StartServer(0));
    EXPECT_EQ(CountOpenHandles(), before);
    EXPECT_EQ(Server(0).process.hProcess, nullptr);
    EXPECT_EQ(Server(0).process.hThread, nullptr);
    EXPECT_EQ(Server(0).process.dwProcessId, 0u);

    // Objects of our own take the values the launch had, as the system
    // hands out the lowest free ones: deleting the record must not close
    // them a second time.
    std::vector<HANDLE> bystanders;
    const auto taken = [&](HANDLE value) {
        return std::find(bystanders.begin(), bystanders.end(), value) != bystanders.end();
    };
    while (bystanders.size() < 256 && !(taken(launchHandles[0]) && taken(launchHandles[1])))
        bystanders.push_back(::CreateEventA(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(taken(launchHandles[0]) && taken(launchHandles[1])) << "the launch's handle values were not reused";
    ASSERT_TRUE(manager.DeleteCurrentServer());
    for (HANDLE value : launchHandles) {
        DWORD flags = 0;
        EXPECT_TRUE(::GetHandleInformation(value, &flags)) << value;
    }
    for (HANDLE bystander : bystanders)
        ::CloseHandle(bystander);
}

TEST_F(StandinWorkspaceWait, HoldsOutWhileAStandinRunsOrTheLogCannotBeRead)
{
    workspace.SetOption(standin::kIgnoreQuitVariable, "1");
    AddServers(1);
    StartAndWait(0);
    EXPECT_FALSE(workspace.WaitAllEnded(200));
    // Quit ignored, then closed through its window.
    EXPECT_TRUE(manager.StopServer(0));
    EXPECT_TRUE(WaitForEvent(standin::kQuitEvent, 0).Has("ignored"));
    EXPECT_TRUE(workspace.WaitAllEnded(kEndTimeoutMs));
    EXPECT_TRUE(HasEnded(Server(0).process.hProcess, 0));

    // A log it cannot read proves nothing.
    const std::string log = workspace.Folder() + "\\" + standin::kLogFileName;
    const HANDLE locked =
        ::CreateFileA(log.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(locked, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(workspace.WaitAllEnded(200));
    ::CloseHandle(locked);
}

// Run by its own test entry, through one-processor-run.sh, which shows Wine a
// single processor. There a pinning to mask 2 would be refused and one to
// mask 1 would change nothing, so the masks can show only that the launch
// went through and kept the whole, one-processor mask; the choice itself is
// covered by PinningMaskForSlot's own tests.
TEST_F(OneProcessor, LaunchesKeepTheOnlyProcessor)
{
    ASSERT_EQ(SystemAffinity(), 1u) << "run through tests/windows/one-processor-run.sh";
    AddServers(2);
    StartAndWait(0);
    StartAndWait(1);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(Server(i).running, 1);
        EXPECT_EQ(ProcessAffinity(Server(i).process.hProcess), 1u) << "slot " << i;
        EXPECT_EQ(ThreadAffinity(Server(i).process.hThread), 1u) << "slot " << i;
    }
    manager.StopAllServers();
    EXPECT_TRUE(workspace.WaitAllEnded(kEndTimeoutMs));
}

}  // namespace
