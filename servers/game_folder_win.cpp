#include "servers/game_folder.h"

#include <windows.h>

#include <vector>

namespace {

std::string g_gameFolder;

// Empty when the working directory cannot be read.
std::string WorkingDirectory()
{
    const DWORD size = ::GetCurrentDirectoryA(0, nullptr);
    if (size == 0)
        return std::string();
    std::vector<char> folder(size);
    const DWORD length = ::GetCurrentDirectoryA(size, folder.data());
    return length != 0 && length < size ? std::string(folder.data(), length) : std::string();
}

}  // namespace

void FixGameFolder()
{
    g_gameFolder = WorkingDirectory();
}

std::string GameFolder()
{
    return g_gameFolder.empty() ? WorkingDirectory() : g_gameFolder;
}

std::string InGameFolder(const std::string& relative)
{
    std::string path = GameFolder();
    // A drive's root ends in its separator already.
    if (!path.empty() && path.back() != '\\' && path.back() != '/')
        path += '\\';
    return path + relative;
}
