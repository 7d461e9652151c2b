#include "history/history_store.h"

#include <utility>

void HistoryStore::SetEarlier(std::vector<HistoryEntry> entries)
{
    if (entries.size() > kEarlierLines)
        entries.erase(entries.begin(), entries.end() - static_cast<std::ptrdiff_t>(kEarlierLines));
    m_earlier = std::move(entries);
}

void HistoryStore::Add(HistoryEntry entry)
{
    if (m_run.size() == kRunEvents)
        m_run.pop_front();
    m_run.push_back(std::move(entry));
}

const HistoryEntry& HistoryStore::At(std::size_t index) const
{
    return index < m_earlier.size() ? m_earlier[index] : m_run[index - m_earlier.size()];
}
