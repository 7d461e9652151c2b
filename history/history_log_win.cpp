#include "history/history_log_win.h"

#include <windows.h>

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

// Renamed, not copied, so that a reader that holds the old log open keeps
// reading what it had.
bool RotateIfFull(const std::string& path, const WIN32_FILE_ATTRIBUTE_DATA& data, std::string& failure)
{
    const ULONGLONG size = static_cast<ULONGLONG>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    if (size < kRotateLogBytes)
        return true;
    const std::string rotated = RotatedLogPath(path);
    if (::MoveFileExA(path.c_str(), rotated.c_str(), MOVEFILE_REPLACE_EXISTING))
        return true;
    failure = "It could not be renamed to " + rotated + ": " + LastError();
    return false;
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
        if (!RotateIfFull(path, data, failure))
            return false;
    }
    // Opened for each line and closed again, so that others may read,
    // rename or delete the log whenever they like.
    const HANDLE file = ::CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        failure = LastError();
        return false;
    }
    DWORD written = 0;
    const bool whole = ::WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
                       written == line.size();
    if (!whole)
        failure = LastError();
    ::CloseHandle(file);
    return whole;
}

std::string ReadLogTail(const std::string& path)
{
    const std::string rotated = ReadTail(RotatedLogPath(path));
    // A rotated log that ends without its line end must not join the log's
    // first line.
    return rotated.empty() || rotated.back() == '\n' ? rotated + ReadTail(path) : rotated + "\r\n" + ReadTail(path);
}
