// One message to the webhook: the history's event it tells, and what it
// stands for besides.
#pragma once

#include <array>
#include <string>
#include <utility>

#include "alerts/alert_events.h"
#include "history/history_line.h"

struct Alert {
    explicit Alert(HistoryEntry told) : entry(std::move(told)) {}

    HistoryEntry entry;
    // Earlier events of the same server held back by flood control, by
    // event, and the history's time of the first of them.
    std::array<int, kAlertEventCount> heldBack{};
    std::string heldSince;
    // Earlier alerts dropped from the full queue just before this one.
    int dropped = 0;
};
