#include "history/server_history.h"

#include "history/history_files.h"
#include "history/history_log_win.h"

void ServerHistory::Record(const char* server, HistoryEvent event, const std::string& details)
{
    HistoryEntry entry{TimeText(LocalTimeOf(m_runFacts.Now())), server, EventWord(event), details};
    if (!m_logPath.empty()) {
        std::string failure;
        if (AppendToLog(m_logPath, HistoryLine(entry), failure)) {
            m_failureTold = false;
        } else if (!m_failureTold) {
            m_failureTold = true;
            if (onWriteFailure)
                onWriteFailure(m_logPath, failure);
        }
    }
    m_store.Add(std::move(entry));
    if (onChange)
        onChange();
}

void ServerHistory::SetOpening(const std::string& setPath)
{
    m_logPath = LogPathOfSet(setPath);
    m_failureTold = false;
    m_store.SetEarlier(ReadHistoryText(ReadLogTail(m_logPath), HistoryStore::kEarlierLines));
    m_adoptedAtOpen = 0;
    m_startedAtOpen = 0;
}

void ServerHistory::SetOpened(const std::string& setPath, int servers)
{
    Record("", HistoryEvent::SetOpened, SetOpenedDetails(setPath, servers, m_adoptedAtOpen, m_startedAtOpen));
}

void ServerHistory::SetSaved(const std::string& setPath)
{
    const std::string logPath = LogPathOfSet(setPath);
    if (logPath != m_logPath) {
        m_logPath = logPath;
        m_failureTold = false;
    }
    Record("", HistoryEvent::SetSaved, setPath);
}

void ServerHistory::SetNotSaved(const std::string& setPath, const std::string& reason)
{
    Record("", HistoryEvent::SetNotSaved, SetNotSavedDetails(setPath, reason));
}

void ServerHistory::LeftRunning(const ServerConfig& server)
{
    Record(server.name, HistoryEvent::LeftRunning, LeftRunningDetails(server.process.dwProcessId));
}

void ServerHistory::Started(int slot, const ServerConfig& server, StartCause cause, std::uint32_t processId)
{
    if (cause == StartCause::Set)
        ++m_startedAtOpen;
    Record(server.name, HistoryEvent::Started, StartedDetails(cause, m_runFacts.Of(slot).relaunches, processId));
}

void ServerHistory::StartFailed(int, const ServerConfig& server, StartCause, const std::string& reason)
{
    Record(server.name, HistoryEvent::StartFailed, reason);
}

void ServerHistory::Exited(int, const ServerConfig& server, const ProcessEnd& end)
{
    Record(server.name, HistoryEvent::Exited, EndDetails(end));
}

void ServerHistory::Stopped(int, const ServerConfig& server, const ProcessEnd& end)
{
    Record(server.name, HistoryEvent::Stopped, StoppedDetails(end));
}

void ServerHistory::Adopted(int, const ServerConfig& server, std::uint32_t processId, std::int64_t runSeconds)
{
    ++m_adoptedAtOpen;
    Record(server.name, HistoryEvent::Adopted, AdoptedDetails(processId, runSeconds));
}
