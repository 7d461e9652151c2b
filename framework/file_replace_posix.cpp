#include "framework/file_replace.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>

bool FlushToDisk(std::FILE* file)
{
    return fsync(fileno(file)) == 0;
}

// rename replaces the target in one step: a reader sees the old file or the
// new one, never a part of either.
bool MoveReplacing(const char* from, const char* to, std::string& failure)
{
    if (std::rename(from, to) == 0)
        return true;
    failure = std::strerror(errno);
    return false;
}
