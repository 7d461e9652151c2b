#include "tests/support/standin_workspace_win.h"

#include <windows.h>
#include <tlhelp32.h>

#include <cstdlib>

#include "framework/paths.h"
#include "servers/text_compare.h"
#include "standin/standin_protocol.h"

namespace {

const char kProgramName[] = "QYR.exe";
const unsigned kPollMs = 20;

const char* const kOptionVariables[] = {
    standin::kExitAfterMsVariable, standin::kExitCodeVariable, standin::kIgnoreQuitVariable,
    standin::kIgnoreCloseVariable, standin::kHangVariable,     standin::kLifetimeMsVariable,
};

std::string FolderOf(const std::string& path)
{
    return path.substr(0, path.find_last_of('\\'));
}

std::string CurrentDirectory()
{
    char buffer[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, buffer);
    return buffer;
}

bool FileExists(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The stand-in is built into <build>\bin: beside the running program, or in
// the bin folder next to the running program's folder (tests, benchmarks).
std::string FindBuiltStandin()
{
    char self[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string ownFolder = FolderOf(self);
    const std::string candidates[] = {
        ownFolder + "\\" + kProgramName,
        FolderOf(ownFolder) + "\\bin\\" + kProgramName,
    };
    for (const std::string& candidate : candidates) {
        if (FileExists(candidate))
            return candidate;
    }
    return std::string();
}

StandinEvent ParseLine(const std::string& line)
{
    StandinEvent event;
    std::size_t at = line.find(' ');
    event.name = line.substr(0, at);
    while (at != std::string::npos) {
        const std::size_t begin = at + 1;
        // The command line runs to the end of the line, blanks and all.
        if (line.compare(begin, 8, "cmdline=") == 0) {
            event.fields["cmdline"] = line.substr(begin + 8);
            break;
        }
        at = line.find(' ', begin);
        const std::string word = line.substr(begin, at == std::string::npos ? std::string::npos : at - begin);
        const std::size_t equals = word.find('=');
        if (equals == std::string::npos)
            event.fields[word] = std::string();
        else
            event.fields[word.substr(0, equals)] = word.substr(equals + 1);
    }
    event.processId = std::strtoul(event.Field("pid").c_str(), nullptr, 10);
    return event;
}

// Every process running the copy of the stand-in in `program`, opened to be
// ended; the caller closes the handles. None when the system cannot list
// its processes: those stand-ins then end by their lifetime.
std::vector<HANDLE> OpenRunningCopies(const std::string& program)
{
    std::vector<HANDLE> running;
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return running;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32First(snapshot, &entry); more; more = ::Process32Next(snapshot, &entry)) {
        if (!EqualNoCase(entry.szExeFile, kProgramName))
            continue;
        const HANDLE process =
            ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID);
        if (process == nullptr)
            continue;
        char image[MAX_PATH] = "";
        DWORD size = MAX_PATH;
        const bool ours = ::QueryFullProcessImageNameA(process, 0, image, &size) && EqualNoCase(image, program.c_str());
        if (ours && ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT)
            running.push_back(process);
        else
            ::CloseHandle(process);
    }
    ::CloseHandle(snapshot);
    return running;
}

enum class ProcessState { kRunning, kEnded, kUnknown };

// Whether the stand-in that logged this process id still runs. An id is
// reused once its process is gone, so one that now runs another program
// counts as ended; one that cannot be opened for another reason than being
// gone, or whose program cannot be told, is unknown.
ProcessState StateOfStandin(unsigned long processId)
{
    if (processId == 0)
        return ProcessState::kUnknown;  // a start line without its id
    const HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr)
        return ::GetLastError() == ERROR_INVALID_PARAMETER ? ProcessState::kEnded : ProcessState::kUnknown;
    ProcessState state = ProcessState::kEnded;
    if (::WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
        char image[MAX_PATH] = "";
        DWORD size = MAX_PATH;
        if (!::QueryFullProcessImageNameA(process, 0, image, &size))
            state = ProcessState::kUnknown;
        else if (EqualNoCase(FileNameOf(image).c_str(), kProgramName))
            state = ProcessState::kRunning;
    }
    ::CloseHandle(process);
    return state;
}

bool EveryStartedStandinEnded(const StandinEvents& events)
{
    for (const StandinEvent& start : Select(events, standin::kStartEvent)) {
        if (StateOfStandin(start.processId) != ProcessState::kEnded)
            return false;
    }
    return true;
}

void CloseAll(const std::vector<HANDLE>& handles)
{
    for (HANDLE handle : handles)
        ::CloseHandle(handle);
}

}  // namespace

std::string StandinEvent::Field(const std::string& key) const
{
    const auto found = fields.find(key);
    return found == fields.end() ? std::string() : found->second;
}

StandinEvents Select(const StandinEvents& events, const char* name, unsigned long processId)
{
    StandinEvents selected;
    for (const StandinEvent& event : events) {
        if (event.name == name && (processId == 0 || event.processId == processId))
            selected.push_back(event);
    }
    return selected;
}

StandinWorkspace::StandinWorkspace() : m_source(FindBuiltStandin()), m_previousDirectory(CurrentDirectory())
{
    char temp[MAX_PATH] = "";
    ::GetTempPathA(MAX_PATH, temp);
    static unsigned serial = 0;
    m_folder = std::string(temp) + "qyr-standin-" + std::to_string(::GetCurrentProcessId()) + "-" +
               std::to_string(++serial);
    if (::CreateDirectoryA(m_folder.c_str(), nullptr))
        Enter();
}

StandinWorkspace::StandinWorkspace(const std::string& folder)
    : m_ownsFolder(false), m_folder(folder), m_source(FindBuiltStandin()), m_previousDirectory(CurrentDirectory())
{
    Enter();
}

void StandinWorkspace::Enter()
{
    ClearOptions();
    m_ready = !m_source.empty() && RestoreProgram() && ::SetCurrentDirectoryA(m_folder.c_str());
}

StandinWorkspace::~StandinWorkspace()
{
    EndAll();
    for (const char* variable : kOptionVariables)
        ::SetEnvironmentVariableA(variable, nullptr);
    ::SetCurrentDirectoryA(m_previousDirectory.c_str());
    RemoveProgram();
    ::DeleteFileA((m_folder + "\\" + standin::kLogFileName).c_str());
    if (m_ownsFolder)
        ::RemoveDirectoryA(m_folder.c_str());
}

void StandinWorkspace::SetOption(const char* variable, const std::string& value)
{
    ::SetEnvironmentVariableA(variable, value.c_str());
}

void StandinWorkspace::ClearOptions()
{
    for (const char* variable : kOptionVariables)
        ::SetEnvironmentVariableA(variable, nullptr);
    SetOption(standin::kLifetimeMsVariable, std::to_string(kLifetimeMs));
}

bool StandinWorkspace::RemoveProgram()
{
    return ::DeleteFileA((m_folder + "\\" + kProgramName).c_str()) != 0;
}

bool StandinWorkspace::RestoreProgram()
{
    return ::CopyFileA(m_source.c_str(), (m_folder + "\\" + kProgramName).c_str(), FALSE) != 0;
}

StandinEvents StandinWorkspace::Events() const
{
    StandinEvents events;
    ReadEvents(events);
    return events;
}

bool StandinWorkspace::ReadEvents(StandinEvents& events) const
{
    events.clear();
    const std::string path = m_folder + "\\" + standin::kLogFileName;
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return ::GetLastError() == ERROR_FILE_NOT_FOUND;  // no log yet: nothing has started
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    BOOL read = FALSE;
    while ((read = ::ReadFile(file, buffer, sizeof buffer, &got, nullptr)) && got > 0)
        text.append(buffer, got);
    ::CloseHandle(file);
    // A line still being written has no line end yet and is left for the
    // next read.
    std::size_t begin = 0;
    for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', begin)) {
        std::string line = text.substr(begin, end - begin);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            events.push_back(ParseLine(line));
        begin = end + 1;
    }
    return read != FALSE;
}

bool StandinWorkspace::WaitFor(const std::function<bool(const StandinEvents&)>& done, unsigned timeoutMs) const
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        if (done(Events()))
            return true;
        if (::GetTickCount64() >= deadline)
            return false;
        ::Sleep(kPollMs);
    }
}

StandinEvents StandinWorkspace::WaitForEvents(const char* name, unsigned long processId, unsigned timeoutMs) const
{
    StandinEvents found;
    WaitFor(
        [&](const StandinEvents& events) {
            found = Select(events, name, processId);
            return !found.empty();
        },
        timeoutMs);
    return found;
}

bool StandinWorkspace::WaitForStarts(std::size_t count, unsigned timeoutMs) const
{
    return WaitFor([count](const StandinEvents& events) { return Select(events, standin::kStartEvent).size() >= count; },
                   timeoutMs);
}

bool StandinWorkspace::WaitAllEnded(unsigned timeoutMs) const
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        StandinEvents events;
        if (ReadEvents(events) && EveryStartedStandinEnded(events))
            return true;
        if (::GetTickCount64() >= deadline)
            return false;
        ::Sleep(kPollMs);
    }
}

// Only for what a test leaves behind on purpose (a hung or deaf stand-in):
// the tool itself never terminates a server.
void StandinWorkspace::EndAll() const
{
    const std::vector<HANDLE> running = OpenRunningCopies(m_folder + "\\" + kProgramName);
    for (HANDLE process : running) {
        ::TerminateProcess(process, 1);
        ::WaitForSingleObject(process, 5000);
    }
    CloseAll(running);
}
