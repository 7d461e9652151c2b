// How a level-script file name becomes a map name.
#pragma once

#include <string>

// The name without its directory and without its last extension:
// "Harbour.dls" gives Harbour, "Map.Final.dls" gives Map.Final.
std::string MapNameFromFileName(const std::string& fileName);
