#include "alerts/alert_flood_control.h"

#include <algorithm>
#include <utility>

std::optional<Alert> AlertFloodControl::Add(const HistoryEntry& entry, std::int64_t now)
{
    const std::optional<AlertEvent> event = AlertEventOfWord(entry.event);
    if (!event)
        return std::nullopt;
    const auto known = m_servers.find(entry.server);
    if (known == m_servers.end() || (!known->second.held && now - known->second.lastTold >= kIntervalSeconds)) {
        m_servers[entry.server] = Server{now, std::nullopt};
        return Alert{entry};
    }
    std::optional<Alert>& held = known->second.held;
    if (!held) {
        held = Alert{entry};
        return std::nullopt;
    }
    const AlertEvent earlier = *AlertEventOfWord(held->entry.event);
    ++held->heldBack[static_cast<int>(earlier)];
    if (held->heldSince.empty())
        held->heldSince = held->entry.time;
    held->entry = entry;
    return std::nullopt;
}

std::vector<Alert> AlertFloodControl::Release(std::int64_t now)
{
    std::vector<Alert> released;
    for (auto server = m_servers.begin(); server != m_servers.end();) {
        Server& state = server->second;
        if (now - state.lastTold < kIntervalSeconds) {
            ++server;
        } else if (!state.held) {
            // Quiet for 5 minutes: its next event is told at once, as a new server's.
            server = m_servers.erase(server);
        } else {
            released.push_back(std::move(*state.held));
            state = Server{now, std::nullopt};
            ++server;
        }
    }
    return released;
}

std::vector<Alert> AlertFloodControl::ReleaseAll()
{
    std::vector<Alert> released;
    for (auto& [name, server] : m_servers) {
        if (server.held)
            released.push_back(std::move(*server.held));
    }
    m_servers.clear();
    return released;
}

std::optional<std::int64_t> AlertFloodControl::SecondsToRelease(std::int64_t now) const
{
    std::optional<std::int64_t> soonest;
    for (const auto& [name, server] : m_servers) {
        if (server.held) {
            const std::int64_t wait = std::max<std::int64_t>(0, server.lastTold + kIntervalSeconds - now);
            soonest = std::min(soonest.value_or(wait), wait);
        }
    }
    return soonest;
}
