#include "rotation/replace_file.h"

#include <io.h>
#include <windows.h>

bool FlushToDisk(std::FILE* file)
{
    return _commit(_fileno(file)) == 0;
}

// Windows itself refuses to replace a read-only file, but not everything
// that serves a drive letter does (some network shares, compatibility
// layers); the operator's read-only mark is honoured on all of them.
// A target held open by another program makes the replacement fail as well.
// ReplaceFile keeps what the operator set on the existing file (attributes,
// permissions); a new file is simply moved into place.
bool MoveReplacing(const char* from, const char* to)
{
    const DWORD attributes = GetFileAttributesA(to);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return MoveFileExA(from, to, MOVEFILE_WRITE_THROUGH) != 0;
    // Not every ReplaceFile refuses a folder as the file to replace (Wine's
    // puts the file in the folder's place): a folder is never replaced.
    if ((attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0)
        return false;
    return ReplaceFileA(to, from, nullptr, 0, nullptr, nullptr) != 0;
}
