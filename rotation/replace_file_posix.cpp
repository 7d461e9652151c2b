#include "rotation/replace_file.h"

#include <unistd.h>

bool FlushToDisk(std::FILE* file)
{
    return fsync(fileno(file)) == 0;
}

// rename replaces the target in one step: a reader sees the old file or the
// new one, never a part of either.
bool MoveReplacing(const char* from, const char* to)
{
    return std::rename(from, to) == 0;
}
