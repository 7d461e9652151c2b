#include "history/history_log_win.h"

#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

#include "framework/code_page_win.h"
#include "framework/system_error_win.h"
#include "history/history_files.h"

namespace {

// Each log is read from this far before its end, which covers all of a log
// that was rotated in time.
constexpr LONGLONG kTailBytes = 2 * static_cast<LONGLONG>(kRotateLogBytes);

std::string LastError()
{
    return SystemErrorText(::GetLastError());
}

// The log's size, for a handle that can tell it; 0 otherwise, which leaves
// the log as it is.
ULONGLONG SizeOf(HANDLE file)
{
    LARGE_INTEGER size = {};
    return ::GetFileSizeEx(file, &size) ? static_cast<ULONGLONG>(size.QuadPart) : 0;
}

// The log held open by a reader that does not share its deletion (as some
// editors do) cannot be renamed, so it is opened without that right then,
// and appended to past its limit until a later append finds it free.
HANDLE OpenLog(const std::string& path, bool& mayRename)
{
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
    HANDLE file = ::CreateFileA(path.c_str(), FILE_APPEND_DATA | DELETE, share, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    mayRename = file != INVALID_HANDLE_VALUE;
    if (!mayRename && ::GetLastError() == ERROR_SHARING_VIOLATION)
        file = ::CreateFileA(path.c_str(), FILE_APPEND_DATA, share, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                             nullptr);
    return file;
}

// Renamed through its handle, the log that was measured is the one rotated:
// a copy of the tool that measured it just before another copy rotated it
// renames the rotated log onto itself, never a log begun since. Renamed, not
// copied, so that a reader that holds the old log open keeps reading what it
// had. False when the system refused, a reader holding the rotated log, say.
bool RenameOpenLog(HANDLE file, const std::string& newPath)
{
    const std::wstring name = WideFromCodePage(newPath);
    if (name.empty())
        return false;
    const std::size_t nameBytes = (name.size() + 1) * sizeof(WCHAR);
    std::vector<unsigned char> buffer(std::max(sizeof(FILE_RENAME_INFO), offsetof(FILE_RENAME_INFO, FileName) + nameBytes));
    FILE_RENAME_INFO* const rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    rename->ReplaceIfExists = TRUE;
    rename->RootDirectory = nullptr;
    rename->FileNameLength = static_cast<DWORD>(name.size() * sizeof(WCHAR));
    std::memcpy(rename->FileName, name.c_str(), nameBytes);
    return ::SetFileInformationByHandle(file, FileRenameInfo, rename, static_cast<DWORD>(buffer.size())) != FALSE;
}

// Copies of the tool that share a log (sets NAME.ini and NAME.cfg share
// NAME.log) append to it in turn: the system's appending is not atomic
// everywhere (not under Wine, for one), and the size measured for a
// rotation must stay the log's until the line is written. The lock is on a
// byte far past any the log holds, so that it keeps no reader from the
// lines. Where the system has no locks, the lines are appended all the
// same.
OVERLAPPED TurnByte()
{
    OVERLAPPED at = {};
    at.OffsetHigh = 0x7FFFFFFF;
    return at;
}

void TakeTurn(HANDLE file)
{
    OVERLAPPED at = TurnByte();
    ::LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &at);
}

void CloseAfterTurn(HANDLE file)
{
    OVERLAPPED at = TurnByte();
    ::UnlockFileEx(file, 0, 1, 0, &at);
    ::CloseHandle(file);
}

// The log opened for one line, in its turn, and rotated first, through this
// very handle, when it has reached its limit.
HANDLE OpenLogInTurn(const std::string& path)
{
    bool mayRename = false;
    HANDLE file = OpenLog(path, mayRename);
    if (file == INVALID_HANDLE_VALUE)
        return file;
    TakeTurn(file);
    if (!mayRename || SizeOf(file) < kRotateLogBytes || !RenameOpenLog(file, RotatedLogPath(path)))
        return file;
    CloseAfterTurn(file);
    file = OpenLog(path, mayRename);
    if (file != INVALID_HANDLE_VALUE)
        TakeTurn(file);
    return file;
}

std::string ReadTail(const std::string& path)
{
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::string();
    std::string text;
    LARGE_INTEGER size = {};
    if (::GetFileSizeEx(file, &size)) {
        LARGE_INTEGER start = {};
        start.QuadPart = size.QuadPart > kTailBytes ? size.QuadPart - kTailBytes : 0;
        text.resize(static_cast<std::size_t>(size.QuadPart - start.QuadPart));
        DWORD read = 0;
        if (!::SetFilePointerEx(file, start, nullptr, FILE_BEGIN) ||
            !::ReadFile(file, &text[0], static_cast<DWORD>(text.size()), &read, nullptr))
            read = 0;
        text.resize(read);
    }
    ::CloseHandle(file);
    return text;
}

}  // namespace

bool AppendToLog(const std::string& path, const std::string& line, std::string& failure)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
            failure = "A folder has that name";
            return false;
        }
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0) {
            failure = "The file is read-only";
            return false;
        }
    }
    // Opened for each line and closed again, so that others may read,
    // rename or delete the log whenever they like.
    const HANDLE file = OpenLogInTurn(path);
    if (file == INVALID_HANDLE_VALUE) {
        failure = LastError();
        return false;
    }
    DWORD written = 0;
    const bool whole = ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
                       written == line.size();
    if (!whole)
        failure = LastError();
    CloseAfterTurn(file);
    return whole;
}

std::string ReadLogTail(const std::string& path)
{
    const std::string rotated = ReadTail(RotatedLogPath(path));
    // A rotated log that ends without its line end must not join the log's
    // first line.
    return rotated.empty() || rotated.back() == '\n' ? rotated + ReadTail(path) : rotated + "\r\n" + ReadTail(path);
}
