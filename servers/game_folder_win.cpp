#include "servers/game_folder.h"

#include "framework/paths.h"

namespace {

std::string g_gameFolder;

// The full path of "." is the working directory's.
std::string WorkingDirectory()
{
    return FullPath(".");
}

}  // namespace

void RecordStartFolder()
{
    g_gameFolder = WorkingDirectory();
}

std::string GameFolder()
{
    return g_gameFolder.empty() ? WorkingDirectory() : g_gameFolder;
}

std::string InGameFolder(const std::string& relative)
{
    return PathInFolder(GameFolder(), relative);
}
