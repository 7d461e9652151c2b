#include "framework/paths.h"

#include <windows.h>

namespace {

std::string UpperCase(std::string path)
{
    if (!path.empty())
        ::CharUpperBuffA(&path[0], static_cast<DWORD>(path.size()));
    return path;
}

// Empty when the file cannot be opened or the system cannot name it.
// Opened for nothing but its name, and shared every way, so that no copy of
// the tool and no game server is kept from the file meanwhile.
std::string FinalPath(const std::string& full)
{
    const HANDLE file = ::CreateFileA(full.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    char buffer[MAX_PATH * 4] = "";
    const DWORD length =
        ::GetFinalPathNameByHandleA(file, buffer, sizeof buffer, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    ::CloseHandle(file);
    // Without its prefix, the final path of a file on a local drive reads as
    // its full path does.
    return length != 0 && length < sizeof buffer ? WithoutLongPathPrefix(buffer) : std::string();
}

// A file not there yet is named by its folder's final path, so that it has
// the same text before and after it is written.
std::string FinalPathOfNewFile(const std::string& full)
{
    const std::string name = FileNameOf(full);
    if (name.empty() || name.size() == full.size())
        return std::string();
    const std::string folder = FinalPath(full.substr(0, full.size() - name.size()));
    return folder.empty() ? std::string() : PathInFolder(folder, name);
}

}  // namespace

std::string FullPath(const char* path)
{
    char full[MAX_PATH * 4] = "";
    const DWORD length = ::GetFullPathNameA(path, sizeof full, full, nullptr);
    return length != 0 && length < sizeof full ? full : path;
}

std::string CanonicalPath(const char* path)
{
    const std::string full = FullPath(path);
    std::string finalPath = FinalPath(full);
    if (finalPath.empty())
        finalPath = FinalPathOfNewFile(full);
    if (!finalPath.empty())
        return UpperCase(finalPath);
    // Where the system names no file, the names stay as written, but long.
    char longName[MAX_PATH * 4] = "";
    const DWORD longLength = ::GetLongPathNameA(full.c_str(), longName, sizeof longName);
    return UpperCase(longLength != 0 && longLength < sizeof longName ? longName : full);
}
