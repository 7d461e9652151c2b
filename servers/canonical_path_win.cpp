#include "servers/canonical_path_win.h"

#include <windows.h>

std::string FullPath(const char* path)
{
    char full[MAX_PATH * 4] = "";
    const DWORD length = ::GetFullPathNameA(path, sizeof full, full, nullptr);
    return length != 0 && length < sizeof full ? full : path;
}

std::string CanonicalPath(const char* path)
{
    const std::string full = FullPath(path);
    // A file that does not exist yet keeps the names as written.
    char longName[MAX_PATH * 4] = "";
    const DWORD longLength = ::GetLongPathNameA(full.c_str(), longName, sizeof longName);
    std::string canonical = longLength != 0 && longLength < sizeof longName ? longName : full;
    ::CharUpperBuffA(&canonical[0], static_cast<DWORD>(canonical.size()));
    return canonical;
}
