// The fixed table of server slots, its current-slot cursor and the single
// instance the whole tool works on.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "servers/server_config.h"
#include "servers/server_observer.h"
#include "servers/server_slots.h"
#include "servers/wall_clock.h"
#include "servers/watchdog.h"

constexpr int kDefaultPort = 27015;

// How long a stop waits for the server's main thread to end after the quit
// message, and at most for its window to handle the close message.
constexpr unsigned kQuitWaitMs = 1000;
constexpr unsigned kCloseWaitMs = 2000;

// A record and the slot it belongs in, 0 to kMaxServers - 1: a server as a
// saved set brings it back, its process known by ids only, without handles.
struct SlotRecord {
    int slot;
    ServerConfig config;
};

class ServerManager {
public:
    ServerManager() = default;
    ~ServerManager();
    ServerManager(const ServerManager&) = delete;
    ServerManager& operator=(const ServerManager&) = delete;

    // The record of slot `current`, or null when that slot is empty.
    ServerConfig* Current() const;

    // Takes the lowest empty slot with a unique name and a free port and makes
    // it current; false when all slots are occupied.
    bool AddServer();
    // False when the current slot is empty. Leaves `current` at the highest
    // occupied slot, or on the freed slot when none is left.
    bool DeleteCurrentServer();

    // Replaces every record with these, each in its own slot, and makes the
    // lowest of them current. Records of running processes are dropped like
    // any other, the processes left alone. False, with the table as it was,
    // when memory runs out or a slot is out of range or given twice.
    bool ReplaceServers(const std::vector<SlotRecord>& servers);

    bool SelectServerByName(const char* name);
    ServerConfig* FindServerByName(const char* name) const;
    // The lowest slot whose server has this name, case aside; -1 for none.
    int FindSlotByName(const char* name) const;
    void MakeUniqueName(char (&out)[kTextSize]) const;
    int NextFreePort() const;

    // Process control, in the Windows build only. All of it runs on the
    // user-interface thread; a stop blocks it for at most kQuitWaitMs plus
    // kCloseWaitMs per server.
    //
    // Launches "QYR.exe" from the game folder with the slot's command
    // line and marks it running; false, with `running` unchanged, when the
    // slot is empty or the process could not be created.
    bool StartServer(int index, StartCause cause = StartCause::Operator);
    bool StartCurrent();
    // Clears `running`, then asks the server to quit and closes its window;
    // never terminates it. False only when the slot is empty.
    bool StopServer(int index);
    bool StopCurrent();
    void StopAllServers();
    // The watchdog pass, at every tick of the admin window's timer: launches
    // again every server marked running whose process has ended, unless the
    // back-off makes it wait, and takes the daily restart's step. With both
    // settings off it does just the first, at once.
    void RestartExitedServers();
    // The operator's choice for the watchdog beyond its relaunch at every
    // tick, from now on.
    void SetWatchdogSettings(const WatchdogSettings& settings);
    // Whether the slot's server is marked running but its process has ended,
    // so that the next watchdog pass launches it again. A process whose
    // state cannot be read counts as running.
    bool HasEnded(int index) const;
    // Adopts the process the record names by its ids and creation time,
    // as a saved set brings it back: only while it runs and is the one
    // recorded, the same process id created at the same time, running
    // "QYR.exe" from the game folder. True when adopted: the record
    // then holds handles of its own on it and is marked running. Otherwise
    // the record is left as it was.
    bool AdoptServer(int index);
    // Brings back the servers a set has just put in the table marked
    // running: each whose recorded process is still the one recorded is
    // adopted; the others are marked stopped, forgetting their process,
    // and started again when shouldStartThem, given how many they are,
    // says so.
    // Until it answers they keep the process the set recorded, as the set
    // keeps them meanwhile; holding no handle of it, the watchdog leaves
    // them alone.
    void RestoreRunningServers(const std::function<bool(int toStart)>& shouldStartThem);
    int CountRunning() const;

    std::int32_t current = 0;
    std::int32_t count = 0;
    ServerConfig* slots[kMaxServers] = {};
    // Told of what process control does; null: nobody is.
    ServerObserver* observer = nullptr;
    // The clock the watchdog reads its ticks from; null: the system's.
    WallClock watchdogClock;

private:
    void FreeSlot(int index);
    WallTime WatchdogNow() const;
    // A stop as such: the server asked to end, its back-off and the daily
    // restart left as they are.
    bool StopProcess(int index);
    void Relaunch(int index, WallTime now);
    void StartAfterDailyStop(int index);
    bool IsPortUsed(int port) const;

    Watchdog m_watchdog;
};

// Null while no manager exists. If its allocation ever fails the window finds
// it null and behaves as with an empty table that can take no server: every
// caller checks it before use.
extern ServerManager* g_serverManager;

// False, changing nothing, when a manager exists already. Otherwise allocates
// one into g_serverManager (left null if that fails) and returns true.
bool CreateServerManager();
// Frees every record and the manager; running processes are left alone.
bool DestroyServerManager();
