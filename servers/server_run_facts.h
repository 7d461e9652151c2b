// What each server's runs have shown in this run of the tool, kept per slot
// from what process control reports, with or without a set: what the server
// list's marks and the status bar tell, and the relaunch count the history
// writes.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "servers/server_manager.h"
#include "servers/wall_clock.h"

struct RunFacts {
    // When its process started; adopted, when the process was created.
    WallTime started;
    // The watchdog's launches since the operator's last start, and when it
    // last launched the server.
    int relaunches = 0;
    WallTime lastRelaunch;
    // Its last exit, found by the watchdog or at a stop.
    bool hasExited = false;
    std::uint32_t exitCode = 0;
    WallTime exited;
    // Its last start failed, and neither a start nor a stop came since.
    bool startFailed = false;
    std::string startFailure;  // the system's sentence
    WallTime startFailedAt;
    // Marked running, its process ended, it waits in the watchdog's
    // back-off: when it starts again, after how many quick exits in a row.
    bool waiting = false;
    WallTime nextStart;
    int quickExits = 0;
    int backOffMinutes = 0;
    // The back-off its last start came after, in minutes; 0 for none.
    int startedAfterBackOff = 0;
};

class ServerRunFacts : public ServerObserver {
public:
    explicit ServerRunFacts(WallClock clock) : m_clock(std::move(clock)) {}

    // A slot outside the table has the facts of a server never started.
    const RunFacts& Of(int slot) const;
    WallTime Now() const { return m_clock(); }

    void Started(int slot, const ServerConfig& server, StartCause cause, std::uint32_t processId) override;
    void StartFailed(int slot, const ServerConfig& server, StartCause cause, const std::string& reason) override;
    void Exited(int slot, const ServerConfig& server, const ProcessEnd& end, const NextStart& next) override;
    void Stopped(int slot, const ServerConfig& server, const ProcessEnd& end) override;
    void Adopted(int slot, const ServerConfig& server, std::uint32_t processId, std::int64_t runSeconds) override;
    void Removed(int slot) override;

private:
    RunFacts* Slot(int slot);
    void RecordExit(int slot, const ProcessEnd& end);

    WallClock m_clock;
    RunFacts m_facts[kMaxServers];
};
