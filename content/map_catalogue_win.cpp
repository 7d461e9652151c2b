#include "content/map_catalogue.h"

#include <windows.h>

#include <string>

#include "content/map_name.h"
#include "framework/controls.h"

void ListMapsForMode(const char* keyword, const CComboBox& maps)
{
    const std::string pattern = std::string("..\\Data\\LevelScripts\\") + keyword + "\\*.dls";
    maps.ResetContent();

    WIN32_FIND_DATAA found;
    const HANDLE search = ::FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    // Every entry is listed, folders whose names match the pattern included.
    do {
        maps.AddString(MapNameFromFileName(found.cFileName).c_str());
    } while (::FindNextFileA(search, &found));
    ::FindClose(search);
}
