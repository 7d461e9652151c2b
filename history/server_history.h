// The tool's server history: what process control and the set actions
// report, timed and kept for the dialog and, while a set is open, queued
// for the set's log. It observes only; nothing it does or fails to do
// changes what the servers or the set do: what goes wrong inside it is
// caught where it was called and told like a line not written. Its clock
// and each server's relaunch count are the run facts', which must have
// taken in a report before the history is told of it.
#pragma once

#include <exception>
#include <functional>
#include <string>
#include <utility>

#include "history/history_event.h"
#include "history/history_listener.h"
#include "history/history_store.h"
#include "history/history_writer.h"
#include "servers/server_run_facts.h"

// What the history needs of the system: the log files.
struct HistoryEdges {
    // Called on the writer's thread.
    AppendLogLine append;
    // What the log holds at its end, its rotated log's end first; empty
    // when there is nothing to read.
    std::function<std::string(const std::string& logPath)> readLog;
};

class ServerHistory : public ServerObserver {
public:
    ServerHistory(const ServerRunFacts& runFacts, HistoryEdges edges);

    // Told after every event, so that an open dialog can show it.
    std::function<void()> onChange;
    // Hears every event from now on; it must outlive the history. Null: none.
    void SetListener(HistoryListener* listener) { m_listener = listener; }
    // Called, on whichever thread found it, when a failure is to be taken
    // with TakeWriteFailure: it should only wake the thread that takes it.
    void SetWriteFailureNotice(std::function<void()> notice) { m_writer.SetFailureNotice(std::move(notice)); }
    // A line not written or an event not recorded: told once, and again
    // only after a line was written. The listener hears of it as it is taken.
    bool TakeWriteFailure(LogFailure& failure);
    // Before the tool ends: the lines still waiting are written, waiting
    // for a stalled disk at most HistoryWriter::kFinishWait.
    void FinishWriting() { m_writer.Finish(HistoryWriter::kFinishWait); }

    const HistoryStore& Store() const { return m_store; }

    // A set is being opened: its log's last lines come first, and its
    // events go to that log from now on. Adopted and started servers are
    // counted until ServerSetOpened.
    void OpeningServerSet(const std::string& setPath);
    void ServerSetOpened(const std::string& setPath, int servers);
    // A set was saved under a new path: its events go to that set's log.
    void ServerSetSaved(const std::string& setPath);
    void ServerSetNotSaved(const std::string& setPath, const std::string& reason);
    void LeftRunning(const ServerConfig& server);
    // An alert was given up; `reason` never holds the webhook's address.
    void AlertNotSent(const std::string& server, const std::string& reason);

    void Started(int slot, const ServerConfig& server, StartCause cause, std::uint32_t processId) override;
    void StartFailed(int slot, const ServerConfig& server, StartCause cause, const std::string& reason) override;
    void Exited(int slot, const ServerConfig& server, const ProcessEnd& end, const NextStart& next) override;
    void Stopped(int slot, const ServerConfig& server, const ProcessEnd& end) override;
    void Adopted(int slot, const ServerConfig& server, std::uint32_t processId, std::int64_t runSeconds) override;
    void CrashLoop(int slot, const ServerConfig& server, int quickExits, WallTime since) override;
    void RestartSkipped(int slot, const ServerConfig& server) override;

private:
    // As the log writes the time.
    std::string NowText() const;
    template <typename Details>
    void Record(const char* server, HistoryEvent event, Details&& details);
    void TellNotRecorded(const std::exception& failure);

    const ServerRunFacts& m_runFacts;
    const HistoryEdges m_edges;
    HistoryStore m_store;
    HistoryWriter m_writer;
    HistoryListener* m_listener = nullptr;
    std::string m_logPath;  // empty while no set is open
    int m_adoptedAtOpen = 0;
    int m_startedAtOpen = 0;
};
