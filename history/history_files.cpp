#include "history/history_files.h"

#include "framework/paths.h"
#include "servers/text_compare.h"

namespace {
const char kLogExtension[] = ".log";
}

std::string LogPathOfSet(const std::string& setPath)
{
    const std::string withoutExtension = WithoutExtension(setPath);
    // Otherwise a set NAME.log would be its own log, its lines appended into
    // it.
    if (EqualNoCase(setPath.substr(withoutExtension.size()).c_str(), kLogExtension))
        return setPath + kLogExtension;
    return withoutExtension + kLogExtension;
}

std::string RotatedLogPath(const std::string& logPath)
{
    return logPath + ".1";
}
