#include "content/map_listing.h"

#include <algorithm>

bool SameMaps(std::vector<std::string> listed, std::vector<std::string> found)
{
    if (listed.size() != found.size())
        return false;
    // Byte order, not the list's collation: only equality is asked, and
    // this is the cheap way to it.
    std::sort(listed.begin(), listed.end());
    std::sort(found.begin(), found.end());
    return listed == found;
}
