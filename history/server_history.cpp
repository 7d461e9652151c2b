#include "history/server_history.h"

#include <limits>
#include <new>

#include "history/history_files.h"
#include "history/history_line.h"

ServerHistory::ServerHistory(const ServerRunFacts& runFacts, HistoryEdges edges)
    : m_runFacts(runFacts), m_edges(std::move(edges)), m_writer(m_edges.append)
{
}

std::string ServerHistory::NowText() const
{
    return TimeText(LocalTimeOf(m_runFacts.Now()));
}

// Everything an event takes happens in here, its details and the dialog's
// showing it too, so that nothing thrown reaches process control.
template <typename Details>
void ServerHistory::Record(const char* server, HistoryEvent event, Details&& details)
{
    try {
        HistoryEntry entry{NowText(), server, EventWord(event), details()};
        if (!m_logPath.empty())
            m_writer.Queue(m_logPath, HistoryLine(entry));
        if (m_listener != nullptr)
            m_listener->Heard(entry);
        m_store.Add(std::move(entry));
        if (onChange)
            onChange();
    } catch (const std::exception& failure) {
        TellNotRecorded(failure);
    }
}

// Without the memory to tell it, the failure goes untold: process control
// goes on all the same.
void ServerHistory::TellNotRecorded(const std::exception& failure)
{
    try {
        m_writer.Report(LogFailure{m_logPath, std::string("An event could not be recorded (") + failure.what() + ")", false});
    } catch (const std::bad_alloc&) {
    }
}

bool ServerHistory::TakeWriteFailure(LogFailure& failure)
{
    if (!m_writer.TakeFailure(failure))
        return false;
    if (m_listener != nullptr)
        m_listener->Heard({NowText(), "", EventWord(HistoryEvent::HistoryNotSaved),
                           HistoryNotSavedDetails(failure.logPath, failure.reason)});
    return true;
}

// The log may be read while lines for it still wait to be written: the
// run's events are listed from the run either way.
void ServerHistory::OpeningServerSet(const std::string& setPath)
{
    m_logPath.clear();
    m_adoptedAtOpen = 0;
    m_startedAtOpen = 0;
    try {
        m_logPath = LogPathOfSet(setPath);
        m_store.SetEarlier(ReadHistoryText(m_edges.readLog(m_logPath), std::numeric_limits<std::size_t>::max()));
    } catch (const std::exception& failure) {
        TellNotRecorded(failure);
    }
}

void ServerHistory::ServerSetOpened(const std::string& setPath, int servers)
{
    Record("", HistoryEvent::SetOpened,
           [&] { return SetOpenedDetails(setPath, servers, m_adoptedAtOpen, m_startedAtOpen); });
}

void ServerHistory::ServerSetSaved(const std::string& setPath)
{
    // The new set's log changes first, so that this line is its first.
    Record("", HistoryEvent::SetSaved, [&] {
        m_logPath = LogPathOfSet(setPath);
        return setPath;
    });
}

void ServerHistory::ServerSetNotSaved(const std::string& setPath, const std::string& reason)
{
    Record("", HistoryEvent::SetNotSaved, [&] { return SetNotSavedDetails(setPath, reason); });
}

void ServerHistory::LeftRunning(const ServerConfig& server)
{
    Record(server.name, HistoryEvent::LeftRunning, [&] { return LeftRunningDetails(server.process.dwProcessId); });
}

void ServerHistory::AlertNotSent(const std::string& server, const std::string& reason)
{
    Record(server.c_str(), HistoryEvent::AlertNotSent, [&] { return reason; });
}

void ServerHistory::Started(int slot, const ServerConfig& server, StartCause cause, std::uint32_t processId)
{
    if (cause == StartCause::Set)
        ++m_startedAtOpen;
    Record(server.name, HistoryEvent::Started, [&] {
        const RunFacts& facts = m_runFacts.Of(slot);
        return StartedDetails(cause, facts.relaunches, facts.startedAfterBackOff, processId);
    });
}

void ServerHistory::StartFailed(int, const ServerConfig& server, StartCause, const std::string& reason)
{
    Record(server.name, HistoryEvent::StartFailed, [&] { return reason; });
}

void ServerHistory::Exited(int, const ServerConfig& server, const ProcessEnd& end, const NextStart& next)
{
    Record(server.name, HistoryEvent::Exited, [&] { return ExitedDetails(end, next); });
}

void ServerHistory::Stopped(int, const ServerConfig& server, const ProcessEnd& end)
{
    Record(server.name, HistoryEvent::Stopped, [&] { return StoppedDetails(end); });
}

void ServerHistory::Adopted(int, const ServerConfig& server, std::uint32_t processId, std::int64_t runSeconds)
{
    ++m_adoptedAtOpen;
    Record(server.name, HistoryEvent::Adopted, [&] { return AdoptedDetails(processId, runSeconds); });
}

void ServerHistory::CrashLoop(int, const ServerConfig& server, int quickExits, WallTime since)
{
    Record(server.name, HistoryEvent::CrashLoop, [&] { return CrashLoopDetails(quickExits, since); });
}

void ServerHistory::RestartSkipped(int, const ServerConfig& server)
{
    Record(server.name, HistoryEvent::RestartSkipped, [&] { return RestartSkippedDetails(); });
}
