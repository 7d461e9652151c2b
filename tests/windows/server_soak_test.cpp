// A long run of process control over a full table of real stand-ins: a few
// crash again after every relaunch, some ignore the quit message, the rest
// cooperate. Many watchdog passes later the tool must hold no more handles
// or memory than after the first ones, and a stop must end every server.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "servers/server_manager.h"
#include "servers/server_run_facts.h"
#include "servers/wall_clock_win.h"
#include "standin/standin_protocol.h"
#include "tests/support/standin_workspace_win.h"
#include "tests/windows/process_usage.h"

namespace {

constexpr int kPasses = 50;
// Passes before the handle and memory figures are taken as the baseline:
// the first launches and log reads settle the heap and the system's caches.
constexpr int kWarmUpPasses = 5;
constexpr unsigned kCrashAfterMs = 150;
constexpr DWORD kCrashCode = 3;
constexpr unsigned kCrashWaitMs = 15000;
constexpr unsigned kStartTimeoutMs = 30000;
constexpr unsigned kEndTimeoutMs = 5000;
// The servers that must run through every pass outlive the usual stand-in
// lifetime, which a loaded machine takes the fifty passes beyond.
constexpr unsigned kLongLifetimeMs = 10 * 60 * 1000;
// What memory may grow by after the warm-up without anything leaking: the
// allocator grows in steps of a page and took one in trial runs. A leak of
// 200 bytes per relaunch, over the 180 relaunches after the warm-up,
// already goes beyond it.
constexpr std::size_t kMemorySlack = 32 * 1024;

// The line a fresh record in `slot` starts its server with, in a game folder
// without maps: each new record takes the next free name and port.
std::string ExpectedCommandLine(int slot)
{
    const std::string name = slot == 0 ? "qyr" : "qyr(" + std::to_string(slot) + ")";
    return " +server " + name + " +port " + std::to_string(27015 + slot) +
           " +map TeamDeathMatch\\ +maxplayers 16 +matchtime 30 +freezetime 4 +roundtime 5 +rankpoints 700"
           " +damagemultiplier 1.500000 +jumpslowdown 0.500000 +friendlyfire +dedicated +specall +allowshadows"
           " +minimize +pure +hash +anticheat";
}

enum class Behaviour { kCooperates, kCrashes, kIgnoresQuit };

// In even and odd slots alike, so that both processor pinnings take part.
constexpr int kCrashingSlots[] = {3, 6, 17, 30};
constexpr int kQuitIgnoringSlots[] = {0, 5, 8, 13, 20, 27};

Behaviour BehaviourOf(int slot)
{
    for (int crashing : kCrashingSlots) {
        if (slot == crashing)
            return Behaviour::kCrashes;
    }
    for (int deaf : kQuitIgnoringSlots) {
        if (slot == deaf)
            return Behaviour::kIgnoresQuit;
    }
    return Behaviour::kCooperates;
}

class FullTableSoak : public ::testing::Test {
protected:
    // The facts keep why a start failed, for the message of a failed relaunch.
    void SetUp() override
    {
        ASSERT_TRUE(workspace.Ready()) << "no stand-in workspace at " << workspace.Folder();
        manager.observer = &facts;
    }

    // Options reach only the stand-ins launched while they are set, so each
    // launch gets its own; a relaunch by the watchdog takes the crash
    // options, since only crashers end between passes.
    void UseOptionsOf(Behaviour behaviour)
    {
        workspace.ClearOptions();
        if (behaviour == Behaviour::kCrashes) {
            workspace.SetOption(standin::kExitAfterMsVariable, std::to_string(kCrashAfterMs));
            workspace.SetOption(standin::kExitCodeVariable, std::to_string(kCrashCode));
            return;
        }
        workspace.SetOption(standin::kLifetimeMsVariable, std::to_string(kLongLifetimeMs));
        if (behaviour == Behaviour::kIgnoresQuit)
            workspace.SetOption(standin::kIgnoreQuitVariable, "1");
    }

    ServerConfig& Server(int slot) { return *manager.slots[slot]; }
    unsigned long Pid(int slot) { return manager.slots[slot]->process.dwProcessId; }

    StandinWorkspace workspace;
    ServerRunFacts facts{SystemWallTime};  // outlives the table, which tells it of the slots freed
    ServerManager manager;
};

TEST_F(FullTableSoak, FiftyWatchdogPassesStayFlatAndTheStopEndsEveryServer)
{
    std::vector<int> crashers;
    for (int slot = 0; slot < kMaxServers; ++slot) {
        ASSERT_TRUE(manager.AddServer());
        UseOptionsOf(BehaviourOf(slot));
        ASSERT_TRUE(manager.StartServer(slot)) << "slot " << slot;
        if (BehaviourOf(slot) == Behaviour::kCrashes)
            crashers.push_back(slot);
    }
    ASSERT_FALSE(crashers.empty());
    std::vector<unsigned long> firstPids;
    for (int slot = 0; slot < kMaxServers; ++slot)
        firstPids.push_back(Pid(slot));
    UseOptionsOf(Behaviour::kCrashes);

    std::vector<int> handles;
    std::vector<MemoryUse> memory;
    for (int pass = 1; pass <= kPasses; ++pass) {
        std::vector<HANDLE> crashing;
        std::map<int, unsigned long> crashedPids;
        for (int slot : crashers) {
            crashing.push_back(Server(slot).process.hProcess);
            crashedPids[slot] = Pid(slot);
        }
        ASSERT_EQ(::WaitForMultipleObjects(static_cast<DWORD>(crashing.size()), crashing.data(), TRUE, kCrashWaitMs),
                  WAIT_OBJECT_0)
            << "pass " << pass;
        for (int slot : crashers) {
            DWORD exitCode = 0;
            ::GetExitCodeProcess(Server(slot).process.hProcess, &exitCode);
            ASSERT_EQ(exitCode, kCrashCode) << "pass " << pass << ", slot " << slot;  // its crash, not a failed start
        }

        manager.RestartExitedServers();

        for (int slot = 0; slot < kMaxServers; ++slot) {
            ASSERT_EQ(Server(slot).running, 1)
                << "pass " << pass << ", slot " << slot << ": " << facts.Of(slot).startFailure;
            if (BehaviourOf(slot) == Behaviour::kCrashes) {
                ASSERT_NE(Pid(slot), crashedPids[slot]) << "pass " << pass << ", slot " << slot;
            } else {
                ASSERT_EQ(Pid(slot), firstPids[slot]) << "pass " << pass << ", slot " << slot;
                ASSERT_EQ(::WaitForSingleObject(Server(slot).process.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT))
                    << "pass " << pass << ", slot " << slot;
            }
        }
        handles.push_back(CountOpenHandles());
        memory.push_back(CurrentMemoryUse());
    }

    const int baseHandles = handles[kWarmUpPasses - 1];
    const MemoryUse baseMemory = memory[kWarmUpPasses - 1];
    ASSERT_GT(baseMemory.privateBytes, 0u);
    for (int pass = kWarmUpPasses + 1; pass <= kPasses; ++pass) {
        EXPECT_EQ(handles[pass - 1], baseHandles) << "pass " << pass;
        EXPECT_LE(memory[pass - 1].privateBytes, baseMemory.privateBytes + kMemorySlack) << "pass " << pass;
        EXPECT_LE(memory[pass - 1].workingSet, baseMemory.workingSet + kMemorySlack) << "pass " << pass;
    }

    // Every launch up before the stop, so that the stop reaches each one.
    const std::size_t launches = kMaxServers + crashers.size() * kPasses;
    ASSERT_TRUE(workspace.WaitForStarts(launches, kStartTimeoutMs));
    workspace.ClearOptions();
    manager.StopAllServers();
    EXPECT_EQ(manager.CountRunning(), 0);
    EXPECT_TRUE(workspace.WaitAllEnded(kEndTimeoutMs));

    const StandinEvents events = workspace.Events();
    std::map<std::string, int> launchesByCommandLine;
    for (const StandinEvent& start : Select(events, standin::kStartEvent))
        ++launchesByCommandLine[start.Field("cmdline")];
    for (int slot = 0; slot < kMaxServers; ++slot) {
        const Behaviour behaviour = BehaviourOf(slot);
        const int expected = behaviour == Behaviour::kCrashes ? kPasses + 1 : 1;
        EXPECT_EQ(launchesByCommandLine[ExpectedCommandLine(slot)], expected) << "slot " << slot;
        if (behaviour == Behaviour::kCrashes)
            continue;
        // Deaf to the quit message, a server is ended through its window.
        const StandinEvents quits = Select(events, standin::kQuitEvent, Pid(slot));
        const StandinEvents closes = Select(events, standin::kCloseEvent, Pid(slot));
        ASSERT_EQ(quits.size(), 1u) << "slot " << slot;
        EXPECT_EQ(quits.front().Has("ignored"), behaviour == Behaviour::kIgnoresQuit) << "slot " << slot;
        EXPECT_EQ(closes.size(), behaviour == Behaviour::kIgnoresQuit ? 1u : 0u) << "slot " << slot;
    }
}

}  // namespace
