#include "servers/server_run_facts.h"

namespace {
const RunFacts kNeverStarted;
}

const RunFacts& ServerRunFacts::Of(int slot) const
{
    return slot >= 0 && slot < kMaxServers ? m_facts[slot] : kNeverStarted;
}

RunFacts* ServerRunFacts::Slot(int slot)
{
    return slot >= 0 && slot < kMaxServers ? &m_facts[slot] : nullptr;
}

// The relaunches count from the last start that was not the watchdog's;
// the daily restart is neither, and leaves the count as it is.
void ServerRunFacts::Started(int slot, const ServerConfig&, StartCause cause, std::uint32_t)
{
    RunFacts* facts = Slot(slot);
    if (facts == nullptr)
        return;
    facts->started = Now();
    facts->startFailed = false;
    facts->startedAfterBackOff = cause == StartCause::Watchdog && facts->waiting ? facts->backOffMinutes : 0;
    facts->waiting = false;
    if (cause == StartCause::Watchdog) {
        ++facts->relaunches;
        facts->lastRelaunch = facts->started;
    } else if (cause != StartCause::DailyRestart) {
        facts->relaunches = 0;
    }
}

void ServerRunFacts::StartFailed(int slot, const ServerConfig&, StartCause, const std::string& reason)
{
    RunFacts* facts = Slot(slot);
    if (facts == nullptr)
        return;
    facts->startFailed = true;
    facts->waiting = false;
    facts->startFailure = reason;
    facts->startFailedAt = Now();
}

void ServerRunFacts::RecordExit(int slot, const ProcessEnd& end)
{
    RunFacts* facts = Slot(slot);
    if (facts == nullptr || !end.ended)
        return;
    facts->hasExited = true;
    facts->exitCode = end.exitCode;
    facts->exited = Now();
}

void ServerRunFacts::Exited(int slot, const ServerConfig&, const ProcessEnd& end, const NextStart& next)
{
    RecordExit(slot, end);
    RunFacts* facts = Slot(slot);
    if (facts == nullptr || next.backOffMinutes == 0)
        return;
    facts->waiting = true;
    facts->nextStart = next.at;
    facts->quickExits = next.quickExits;
    facts->backOffMinutes = next.backOffMinutes;
}

// A stop is the operator's word on a failed start too: the server is meant
// to be stopped now.
void ServerRunFacts::Stopped(int slot, const ServerConfig&, const ProcessEnd& end)
{
    RecordExit(slot, end);
    if (RunFacts* facts = Slot(slot)) {
        facts->startFailed = false;
        facts->waiting = false;
    }
}

void ServerRunFacts::Adopted(int slot, const ServerConfig&, std::uint32_t, std::int64_t runSeconds)
{
    RunFacts* facts = Slot(slot);
    if (facts == nullptr)
        return;
    facts->started = Now();
    facts->started.utcSeconds -= runSeconds;
    facts->relaunches = 0;
    facts->startFailed = false;
}

void ServerRunFacts::Removed(int slot)
{
    if (RunFacts* facts = Slot(slot))
        *facts = RunFacts();
}
