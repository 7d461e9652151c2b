// The tool's server history: what process control and the set actions
// report, timed and kept for the dialog and, while a set is open, appended
// to the set's log at once. It observes only; nothing it does or fails to
// do changes what the servers or the set do. Its clock and each server's
// relaunch count are the run facts', which must have taken in a report
// before the history is told of it.
#pragma once

#include <functional>
#include <string>

#include "history/history_event.h"
#include "history/history_store.h"
#include "servers/server_run_facts.h"

class ServerHistory : public ServerObserver {
public:
    explicit ServerHistory(const ServerRunFacts& runFacts) : m_runFacts(runFacts) {}

    // Told when a line could not be appended, with the log's path and why;
    // once, and again only after an append has succeeded.
    std::function<void(const std::string& logPath, const std::string& reason)> onWriteFailure;
    // Told after every event, so that an open dialog can show it.
    std::function<void()> onChange;

    const HistoryStore& Store() const { return m_store; }

    // A set was opened: its log's last lines come first, and its events go
    // to that log from now on. Takeovers and starts are counted until
    // SetOpened.
    void SetOpening(const std::string& setPath);
    void SetOpened(const std::string& setPath, int servers);
    // A set was saved under a new path: its events go to that set's log.
    void SetSaved(const std::string& setPath);
    void SetNotSaved(const std::string& setPath, const std::string& reason);
    void LeftRunning(const ServerConfig& server);

    void Started(int slot, const ServerConfig& server, StartCause cause, std::uint32_t processId) override;
    void StartFailed(int slot, const ServerConfig& server, StartCause cause, const std::string& reason) override;
    void Exited(int slot, const ServerConfig& server, const ProcessEnd& end) override;
    void Stopped(int slot, const ServerConfig& server, const ProcessEnd& end) override;
    void Adopted(int slot, const ServerConfig& server, std::uint32_t processId, std::int64_t runSeconds) override;

private:
    void Record(const char* server, HistoryEvent event, const std::string& details);

    const ServerRunFacts& m_runFacts;
    HistoryStore m_store;
    std::string m_logPath;  // empty while no set is open
    bool m_failureTold = false;
    int m_adoptedAtOpen = 0;
    int m_startedAtOpen = 0;
};
