#include "history/history_store.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <utility>

// Entries are compared as the log holds them: a run's event read back from
// the log is its line, control characters blanked and details cut.
void HistoryStore::SetEarlier(std::vector<HistoryEntry> entries)
{
    std::unordered_map<std::string, std::size_t> runLines;
    for (const HistoryEntry& entry : m_run)
        ++runLines[HistoryLine(entry)];
    // The run's events are the log's last ones, so the copies go from its end.
    std::vector<HistoryEntry> earlier;
    for (auto entry = entries.rbegin(); entry != entries.rend() && earlier.size() < kEarlierLines; ++entry) {
        const auto inRun = runLines.find(HistoryLine(*entry));
        if (inRun != runLines.end() && inRun->second > 0)
            --inRun->second;
        else
            earlier.push_back(std::move(*entry));
    }
    std::reverse(earlier.begin(), earlier.end());
    m_earlier = std::move(earlier);
}

void HistoryStore::Add(HistoryEntry entry)
{
    if (m_run.size() == kRunEvents) {
        m_run.pop_front();
        ++m_dropped;
    }
    m_run.push_back(std::move(entry));
}

const HistoryEntry& HistoryStore::At(std::size_t index) const
{
    return index < m_earlier.size() ? m_earlier[index] : m_run[index - m_earlier.size()];
}
