#include "content/map_listing.h"

#include <unordered_map>

bool SameMaps(const std::vector<std::string>& listed, const std::vector<std::string>& found)
{
    if (listed.size() != found.size())
        return false;
    // Counted, not sorted: a refresh with thousands of maps runs this each
    // time, and only equality is asked.
    std::unordered_map<std::string, std::size_t> unmatched;
    unmatched.reserve(found.size());
    for (const std::string& map : found)
        ++unmatched[map];
    for (const std::string& map : listed) {
        const auto entry = unmatched.find(map);
        if (entry == unmatched.end() || entry->second == 0)
            return false;
        --entry->second;
    }
    return true;
}
