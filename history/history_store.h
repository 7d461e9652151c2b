// The history the dialog shows: the last lines of the open set's log, read
// when it was opened, then the events of this run, newest last.
#pragma once

#include <cstddef>
#include <deque>
#include <vector>

#include "history/history_line.h"

class HistoryStore {
public:
    static constexpr std::size_t kRunEvents = 10000;
    static constexpr std::size_t kEarlierLines = 1000;

    // Replaces what an earlier set's log gave; only the last kEarlierLines
    // are kept. The log may hold events of this run, written while a set
    // opened earlier in it was open: those are left out, listed once, as
    // the run's.
    void SetEarlier(std::vector<HistoryEntry> entries);
    // Only the last kRunEvents of the run are kept.
    void Add(HistoryEntry entry);

    std::size_t Size() const { return m_earlier.size() + m_run.size(); }
    const HistoryEntry& At(std::size_t index) const;
    // How many of the run's events were let go so far: every later row has
    // moved up by as many.
    std::size_t DroppedEvents() const { return m_dropped; }

private:
    std::vector<HistoryEntry> m_earlier;
    std::deque<HistoryEntry> m_run;
    std::size_t m_dropped = 0;
};
