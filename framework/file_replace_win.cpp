#include "framework/file_replace.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "framework/system_error_win.h"

std::FILE* CreateNewFile(const char* path, bool& nameTaken, std::string& failure)
{
    const HANDLE handle =
        ::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        nameTaken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
        failure = SystemErrorText(error);
        return nullptr;
    }
    // From here on the C library owns the handle and closes it with the file.
    const int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
    if (descriptor == -1) {
        ::CloseHandle(handle);
        ::DeleteFileA(path);
        failure = "The file could not be opened for writing";
        return nullptr;
    }
    std::FILE* file = _fdopen(descriptor, "wb");
    if (file == nullptr) {
        _close(descriptor);
        ::DeleteFileA(path);
        failure = "The file could not be opened for writing";
    }
    return file;
}

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
bool MoveReplacing(const char* from, const char* to, std::string& failure)
{
    const DWORD attributes = ::GetFileAttributesA(to);
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        if (::MoveFileExA(from, to, MOVEFILE_WRITE_THROUGH))
            return true;
    } else if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        // Not every ReplaceFile refuses a folder as the file to replace
        // (Wine's puts the file in the folder's place): a folder is never
        // replaced.
        failure = "A folder has that name";
        return false;
    } else if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        failure = "The file is read-only";
        return false;
    } else if (::ReplaceFileA(to, from, nullptr, 0, nullptr, nullptr)) {
        return true;
    }
    failure = SystemErrorText(::GetLastError());
    return false;
}
