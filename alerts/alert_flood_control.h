// At most one alert per server every 5 minutes after its first. The events
// held back meanwhile are not lost: once the server's 5 minutes are over,
// the latest of them goes out with the others counted in ("and 6 more exits
// since 03:12"), whether or not a further event comes; closing the tool
// lets them all go at once. The set's own events, whose server is empty,
// are kept apart from every server's like one more server.
//
// Times are seconds of a clock that never goes back. One thread drives it.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "alerts/alert.h"

class AlertFloodControl {
public:
    static constexpr std::int64_t kIntervalSeconds = 5 * 60;

    // An event of an alert's kind at `now`: its alert when the server may
    // be told at once, otherwise it is held back.
    std::optional<Alert> Add(const HistoryEntry& entry, std::int64_t now);

    // The held-back events of each server whose 5 minutes are over, one
    // alert per server.
    std::vector<Alert> Release(std::int64_t now);
    // Every server's held-back events, whatever the time.
    std::vector<Alert> ReleaseAll();

    // How long until Release has something to give; none while nothing is
    // held back.
    std::optional<std::int64_t> SecondsToRelease(std::int64_t now) const;

private:
    struct Server {
        std::int64_t lastTold = 0;
        std::optional<Alert> held;  // the latest event, with the earlier ones counted
    };

    std::map<std::string, Server> m_servers;
};
