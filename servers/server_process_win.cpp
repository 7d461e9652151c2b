// Starting, stopping and watching the game server processes.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "framework/paths.h"
#include "framework/system_error_win.h"
#include "servers/affinity.h"
#include "servers/command_line.h"
#include "servers/game_folder.h"
#include "servers/process_times_win.h"
#include "servers/process_window_win.h"
#include "servers/server_manager.h"
#include "servers/wall_clock_win.h"

// The record mirrors the Win32 process record field for field, so that the
// two can be copied into each other without a cast.
static_assert(sizeof(ProcessRecord) == sizeof(PROCESS_INFORMATION), "process record size");
static_assert(offsetof(ProcessRecord, hProcess) == offsetof(PROCESS_INFORMATION, hProcess), "hProcess");
static_assert(offsetof(ProcessRecord, hThread) == offsetof(PROCESS_INFORMATION, hThread), "hThread");
static_assert(offsetof(ProcessRecord, dwProcessId) == offsetof(PROCESS_INFORMATION, dwProcessId), "dwProcessId");
static_assert(offsetof(ProcessRecord, dwThreadId) == offsetof(PROCESS_INFORMATION, dwThreadId), "dwThreadId");
static_assert(sizeof(ProcessRecord::dwProcessId) == sizeof(DWORD), "process id size");
static_assert(sizeof(ProcessRecord::dwThreadId) == sizeof(DWORD), "thread id size");

namespace {

const char kServerProgram[] = "QYR.exe";

ServerConfig* SlotAt(ServerConfig* const (&slots)[kMaxServers], int index)
{
    return index >= 0 && index < kMaxServers ? slots[index] : nullptr;
}

bool CreateServerProcess(const std::string& commandLine, ProcessRecord& process)
{
    // Process creation may write into the command line, so it gets a copy.
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION created = {};
    // By its full path in the game folder, never from the search path. The
    // server works in the game folder too, wherever a file dialog has left
    // the tool's working directory: it finds its data, and a relative
    // rotation path, from there.
    const std::string program = InGameFolder(kServerProgram);
    const std::string folder = GameFolder();
    if (!::CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &startup, &created))
        return false;
    process.hProcess = created.hProcess;
    process.hThread = created.hThread;
    process.dwProcessId = created.dwProcessId;
    process.dwThreadId = created.dwThreadId;
    return true;
}

void PinToProcessor(const ProcessRecord& process, int index)
{
    DWORD_PTR processMask = 0;
    DWORD_PTR systemMask = 0;
    // Without the system mask nothing tells whether a second processor
    // exists, so the server keeps the affinity it started with rather than
    // being tied to a processor that may be missing.
    if (!::GetProcessAffinityMask(process.hProcess, &processMask, &systemMask))
        return;
    const DWORD_PTR mask = PinningMaskForSlot(index, systemMask);
    if (mask == 0)
        return;
    // A refused mask leaves the server where the system put it; it runs
    // either way.
    ::SetProcessAffinityMask(process.hProcess, mask);
    ::SetThreadAffinityMask(process.hThread, mask);
}

// 0 when the time cannot be read.
std::uint64_t CreationTime(HANDLE process)
{
    std::uint64_t created = 0, exited = 0;
    return ReadProcessTimes(process, created, exited) ? created : 0;
}

// The process still runs, was created when the record says, and runs the
// server program that a launch from here would run, the two compared by
// their final paths: nothing else is adopted, whatever a set file claims.
bool IsRecordedServer(HANDLE process, std::uint64_t created)
{
    DWORD exitCode = 0;
    if (!::GetExitCodeProcess(process, &exitCode) || exitCode != STILL_ACTIVE || created == 0 ||
        CreationTime(process) != created)
        return false;
    char image[MAX_PATH * 4] = "";
    DWORD size = sizeof image;
    if (!::QueryFullProcessImageNameA(process, 0, image, &size))
        return false;
    const std::string program = CanonicalPath(InGameFolder(kServerProgram).c_str());
    return !program.empty() && CanonicalPath(image) == program;
}

void CloseFirstWindow(DWORD processId)
{
    const HWND window = FirstWindowOfProcess(processId);
    if (window == nullptr)
        return;
    // A plain SendMessage would wait for ever on a hung window, and with it
    // the whole tool, the watchdog of every other server included. A hung
    // window is skipped and a slow one waited for only so long.
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, kCloseWaitMs, &result);
}

}  // namespace

bool ServerManager::StartServer(int index, StartCause cause)
{
    ServerConfig* server = SlotAt(slots, index);
    if (server == nullptr)
        return false;
    if (cause == StartCause::Operator || cause == StartCause::Set)
        m_watchdog.OperatorActed(index);
    const std::string commandLine = BuildCommandLine(*server);
    // The previous launch's handles are closed here, which also leaves the
    // record cleared for the new one.
    server->ForgetProcess();
    if (!CreateServerProcess(commandLine, server->process)) {
        const DWORD error = ::GetLastError();
        if (observer != nullptr)
            observer->StartFailed(index, *server, cause, SystemErrorText(error) + ".");
        return false;
    }
    server->processCreated = CreationTime(server->process.hProcess);
    PinToProcessor(server->process, index);
    server->running = 1;
    if (observer != nullptr)
        observer->Started(index, *server, cause, server->process.dwProcessId);
    return true;
}

bool ServerManager::StartCurrent()
{
    return StartServer(current);
}

// The rights taken are those that stopping and watching the server need.
// Without its main thread the server can still be watched and its window
// closed; the quit message is then left out, as for a thread that ended.
bool ServerManager::AdoptServer(int index)
{
    ServerConfig* server = SlotAt(slots, index);
    if (server == nullptr || server->process.hProcess != nullptr || server->process.dwProcessId == 0)
        return false;
    ProcessRecord& process = server->process;
    const HANDLE handle = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, process.dwProcessId);
    if (handle == nullptr)
        return false;
    if (!IsRecordedServer(handle, server->processCreated)) {
        ::CloseHandle(handle);
        return false;
    }
    HANDLE thread = ::OpenThread(THREAD_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, process.dwThreadId);
    if (thread != nullptr && ::GetProcessIdOfThread(thread) != process.dwProcessId) {
        ::CloseHandle(thread);
        thread = nullptr;
    }
    process.hProcess = handle;
    process.hThread = thread;
    if (thread == nullptr)
        process.dwThreadId = 0;
    server->running = 1;
    if (observer != nullptr)
        observer->Adopted(index, *server, process.dwProcessId, SecondsRunning(handle));
    return true;
}

void ServerManager::RestoreRunningServers(const std::function<bool(int toStart)>& shouldStartThem)
{
    std::vector<int> toStart;
    for (int i = 0; i < kMaxServers; ++i) {
        if (slots[i] != nullptr && slots[i]->running == 1 && !AdoptServer(i))
            toStart.push_back(i);
    }
    if (toStart.empty())
        return;
    const bool start = shouldStartThem(static_cast<int>(toStart.size()));
    for (const int i : toStart) {
        ServerConfig* server = slots[i];
        if (server == nullptr)
            continue;
        server->running = 0;
        server->ForgetProcess();
        if (start)
            StartServer(i, StartCause::Set);
    }
}

bool ServerManager::StopServer(int index)
{
    if (SlotAt(slots, index) != nullptr)
        m_watchdog.OperatorActed(index);
    return StopProcess(index);
}

bool ServerManager::StopProcess(int index)
{
    ServerConfig* server = SlotAt(slots, index);
    if (server == nullptr)
        return false;
    const bool wasRunning = server->running == 1;
    // First, so that the watchdog leaves the server alone whatever follows.
    server->running = 0;
    const ProcessRecord& process = server->process;
    DWORD exitCode = 0;
    if (::GetExitCodeThread(process.hThread, &exitCode)) {
        ::PostThreadMessageA(process.dwThreadId, WM_QUIT, exitCode, 0);
        ::WaitForSingleObject(process.hThread, kQuitWaitMs);
    }
    // A record never launched has no process id; without this a window of
    // whatever the system counts as process 0 could be closed.
    if (process.dwProcessId != 0)
        CloseFirstWindow(process.dwProcessId);
    if (observer != nullptr && wasRunning)
        observer->Stopped(index, *server, EndOfProcess(process.hProcess));
    return true;
}

bool ServerManager::StopCurrent()
{
    return StopServer(current);
}

void ServerManager::StopAllServers()
{
    for (int i = 0; i < kMaxServers; ++i) {
        if (slots[i] != nullptr && slots[i]->running == 1)
            StopServer(i);
    }
}

bool ServerManager::HasEnded(int index) const
{
    const ServerConfig* server = SlotAt(slots, index);
    if (server == nullptr || server->running != 1)
        return false;
    // A query that fails tells nothing about the process, which may well
    // still be serving; it counts as still running, since a relaunch could
    // put a second server on the same port.
    DWORD exitCode = STILL_ACTIVE;
    return ::GetExitCodeProcess(server->process.hProcess, &exitCode) && exitCode != STILL_ACTIVE;
}

WallTime ServerManager::WatchdogNow() const
{
    return watchdogClock ? watchdogClock() : SystemWallTime();
}

void ServerManager::SetWatchdogSettings(const WatchdogSettings& settings)
{
    m_watchdog.Apply(settings, WatchdogNow());
}

// The server the daily restart stopped at the last tick starts first, and
// the next one is stopped last, so that the pass finds no exit of its own
// making.
void ServerManager::RestartExitedServers()
{
    const WallTime now = WatchdogNow();
    const DailyRestartStep step =
        m_watchdog.DailyStep(now, [this](int slot) { return slots[slot] != nullptr && slots[slot]->running == 1; });
    if (step.startSlot >= 0)
        StartAfterDailyStop(step.startSlot);
    for (int i = 0; i < kMaxServers; ++i) {
        if (m_watchdog.Waiting(i)) {
            if (!m_watchdog.WaitHasEnded(i, now))
                continue;
            m_watchdog.WaitOver(i);
            slots[i]->running = 0;
            StartServer(i, StartCause::Watchdog);
        } else if (HasEnded(i)) {
            Relaunch(i, now);
        }
    }
    if (step.stopSlot >= 0)
        StopProcess(step.stopSlot);
}

// The back-off counts from the process's own exit, which may lie up to a
// tick before the pass found it.
void ServerManager::Relaunch(int index, WallTime now)
{
    ServerConfig* server = slots[index];
    const ProcessEnd end = EndOfProcess(server->process.hProcess);
    const std::int64_t exited = end.exitedUtcSeconds != 0 ? end.exitedUtcSeconds : now.utcSeconds;
    const ExitVerdict& verdict = m_watchdog.Exited(index, exited - end.runSeconds, exited);
    NextStart next;
    if (verdict.waitMinutes > 0)
        next = NextStart{verdict.waitMinutes, WallTime{verdict.nextStart, now.offsetMinutes}, verdict.quickExits};
    // A server waiting for its next start stays marked running.
    server->running = next.backOffMinutes > 0 ? 1 : 0;
    if (observer != nullptr) {
        observer->Exited(index, *server, end, next);
        if (verdict.crashLoopDue)
            observer->CrashLoop(index, *server, verdict.quickExits, WallTime{verdict.loopSince, now.offsetMinutes});
    }
    if (next.backOffMinutes == 0)
        StartServer(index, StartCause::Watchdog);
}

// Only once its process has ended: a second server on the same port would
// fail, or worse, serve beside the first.
void ServerManager::StartAfterDailyStop(int index)
{
    ServerConfig* server = SlotAt(slots, index);
    if (server == nullptr)
        return;
    if (EndOfProcess(server->process.hProcess).ended) {
        StartServer(index, StartCause::DailyRestart);
        return;
    }
    server->running = 1;
    if (observer != nullptr)
        observer->RestartSkipped(index, *server);
}
