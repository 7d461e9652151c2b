#include "content/map_catalogue.h"

#include <windows.h>

#include <string>
#include <vector>

#include "content/map_listing.h"
#include "content/map_name.h"
#include "framework/controls.h"
#include "servers/game_folder.h"

namespace {

// Every entry is a map, folders whose names match the pattern included.
// Only names are asked for, in large batches: every refresh runs this, over
// thousands of files in a big mode.
std::vector<std::string> FindMapsForMode(const char* keyword)
{
    const std::string pattern = InGameFolder(std::string("..\\Data\\LevelScripts\\") + keyword + "\\*.dls");
    std::vector<std::string> found;
    WIN32_FIND_DATAA entry;
    const HANDLE search = ::FindFirstFileExA(pattern.c_str(), FindExInfoBasic, &entry, FindExSearchNameMatch, nullptr,
                                             FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE)
        return found;
    do {
        found.push_back(MapNameFromFileName(entry.cFileName));
    } while (::FindNextFileA(search, &entry));
    ::FindClose(search);
    return found;
}

void FillMaps(const std::vector<std::string>& found, const CComboBox& maps)
{
    maps.ResetContent();
    for (const std::string& map : found)
        maps.AddString(map.c_str());
}

}  // namespace

void ListMapsForMode(const char* keyword, const CComboBox& maps)
{
    FillMaps(FindMapsForMode(keyword), maps);
}

void RelistMapsForMode(const char* keyword, const CComboBox& maps)
{
    const std::vector<std::string> found = FindMapsForMode(keyword);
    // Counting the items is one message; reading them is two an item.
    if (maps.GetCount() != static_cast<int>(found.size()) || !SameMaps(maps.GetLBTexts(), found))
        FillMaps(found, maps);
}
