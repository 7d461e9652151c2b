// Whether a map list already shows what a search of the level scripts found.
#pragma once

#include <string>
#include <vector>

// True when both hold the same names, each as often, spelt alike. A sorted
// list orders its items itself, so the order they come in does not matter.
bool SameMaps(const std::vector<std::string>& listed, const std::vector<std::string>& found);
