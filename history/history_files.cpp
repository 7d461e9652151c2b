#include "history/history_files.h"

#include "framework/paths.h"

std::string LogPathOfSet(const std::string& setPath)
{
    const std::size_t nameStart = setPath.size() - FileNameOf(setPath).size();
    const std::size_t dot = setPath.rfind('.');
    // A leading dot starts a name, not an extension.
    const bool hasExtension = dot != std::string::npos && dot > nameStart;
    return (hasExtension ? setPath.substr(0, dot) : setPath) + ".log";
}

std::string RotatedLogPath(const std::string& logPath)
{
    return logPath + ".1";
}
