// Whoever hears of the history's events as they come, such as the alerts:
// each event the history records, on the thread that records it, and each
// failure to write its log, as a "history not saved" event, on the thread
// that takes the failure. Hearing changes nothing the history does.
#pragma once

#include "history/history_line.h"

class HistoryListener {
public:
    virtual ~HistoryListener() = default;
    virtual void Heard(const HistoryEntry& entry) = 0;
};
