#include "servers/server_observers.h"

void ServerObservers::Started(int slot, const ServerConfig& server, StartCause cause, std::uint32_t processId)
{
    for (ServerObserver* observer : m_observers)
        observer->Started(slot, server, cause, processId);
}

void ServerObservers::StartFailed(int slot, const ServerConfig& server, StartCause cause, const std::string& reason)
{
    for (ServerObserver* observer : m_observers)
        observer->StartFailed(slot, server, cause, reason);
}

void ServerObservers::Exited(int slot, const ServerConfig& server, const ProcessEnd& end, const NextStart& next)
{
    for (ServerObserver* observer : m_observers)
        observer->Exited(slot, server, end, next);
}

void ServerObservers::Stopped(int slot, const ServerConfig& server, const ProcessEnd& end)
{
    for (ServerObserver* observer : m_observers)
        observer->Stopped(slot, server, end);
}

void ServerObservers::Adopted(int slot, const ServerConfig& server, std::uint32_t processId, std::int64_t runSeconds)
{
    for (ServerObserver* observer : m_observers)
        observer->Adopted(slot, server, processId, runSeconds);
}

void ServerObservers::Removed(int slot)
{
    for (ServerObserver* observer : m_observers)
        observer->Removed(slot);
}

void ServerObservers::CrashLoop(int slot, const ServerConfig& server, int quickExits, WallTime since)
{
    for (ServerObserver* observer : m_observers)
        observer->CrashLoop(slot, server, quickExits, since);
}

void ServerObservers::RestartSkipped(int slot, const ServerConfig& server)
{
    for (ServerObserver* observer : m_observers)
        observer->RestartSkipped(slot, server);
}
