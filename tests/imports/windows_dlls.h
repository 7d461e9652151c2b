// The DLLs every Windows installation the tool runs on (Windows 7 and later)
// brings with it, so that a program needing only these runs from its .exe
// alone.
#pragma once

#include <string>
#include <vector>

// Case is ignored, as Windows ignores it in file names.
bool IsWindowsOwnDll(const std::string& name);

// Those of `names` that are not Windows' own, in their order.
std::vector<std::string> ForeignDlls(const std::vector<std::string>& names);
