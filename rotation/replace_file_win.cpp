#include "rotation/replace_file.h"

#include <io.h>
#include <windows.h>

bool FlushToDisk(std::FILE* file)
{
    return _commit(_fileno(file)) == 0;
}

// Windows itself refuses to move onto a read-only file, but not everything
// that serves a drive letter does (some network shares, compatibility
// layers); the operator's read-only mark is honoured on all of them.
// A target held open by another program makes the move fail as well.
bool MoveReplacing(const char* from, const char* to)
{
    const DWORD attributes = GetFileAttributesA(to);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
        return false;
    return MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
