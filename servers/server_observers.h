// Several watchers of process control behind its one observer: each is
// told every report, in the order they were added, so that a later one may
// read what an earlier one has just taken in.
#pragma once

#include <vector>

#include "servers/server_observer.h"

class ServerObservers : public ServerObserver {
public:
    void Add(ServerObserver& observer) { m_observers.push_back(&observer); }

    void Started(int slot, const ServerConfig& server, StartCause cause, std::uint32_t processId) override;
    void StartFailed(int slot, const ServerConfig& server, StartCause cause, const std::string& reason) override;
    void Exited(int slot, const ServerConfig& server, const ProcessEnd& end, const NextStart& next) override;
    void Stopped(int slot, const ServerConfig& server, const ProcessEnd& end) override;
    void Adopted(int slot, const ServerConfig& server, std::uint32_t processId, std::int64_t runSeconds) override;
    void Removed(int slot) override;
    void CrashLoop(int slot, const ServerConfig& server, int quickExits, WallTime since) override;
    void RestartSkipped(int slot, const ServerConfig& server) override;

private:
    std::vector<ServerObserver*> m_observers;
};
