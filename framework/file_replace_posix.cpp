#include "framework/file_replace.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

std::FILE* CreateNewFile(const char* path, bool& nameTaken, std::string& failure)
{
    const int descriptor = open(path, O_WRONLY | O_CREAT | O_EXCL, 0666);
    std::FILE* file = descriptor >= 0 ? fdopen(descriptor, "wb") : nullptr;
    if (file != nullptr)
        return file;
    nameTaken = errno == EEXIST;
    failure = std::strerror(errno);
    if (descriptor >= 0) {
        close(descriptor);
        std::remove(path);
    }
    return nullptr;
}

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
