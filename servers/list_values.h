// The values a record's field may take where the admin window offers a
// fixed choice: the item indexes of an index list, the leading numbers of a
// list of limits or times ("No limit" first, standing for 0). The window's
// template holds the same lists as item texts; a test holds the two
// together.
#pragma once

#include <cstdint>
#include <vector>

struct ListValues {
    std::vector<std::int32_t> playOn;
    std::vector<std::int32_t> maxPlayers;
    std::vector<std::int32_t> matchTime;
    std::vector<std::int32_t> freezeTime;
    std::vector<std::int32_t> roundTime;
    std::vector<std::int32_t> mapTime;
    std::vector<std::int32_t> team1SkinSet;
    std::vector<std::int32_t> team2SkinSet;
};

extern const ListValues kListValues;
