// Measures the real QYRSAT.exe, run as its own process from a throw-away
// game folder whose QYR.exe is the stand-in: the size of the program, its
// cold start to the window shown, and its peak working set with 32 servers
// running, which the bench makes it start by pressing its own buttons.
#include <windows.h>
#include <psapi.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_report.h"
#include "bench/game_folder.h"
#include "res/resource.h"
#include "servers/server_manager.h"
#include "tests/support/standin_workspace_win.h"
#include "version.h"

namespace {

const char kCloseQuestionCaption[] = "Running server(s)";
constexpr int kColdStarts = 7;
constexpr int kMaps = 10;
constexpr unsigned kWindowTimeoutMs = 30000;
constexpr unsigned kExitTimeoutMs = 10000;
// 32 servers stopped one after the other, each allowed its quit and close waits.
constexpr unsigned kStopAllTimeoutMs = kMaxServers * (kQuitWaitMs + kCloseWaitMs);
constexpr unsigned kStartsTimeoutMs = 60000;

std::string OwnFolder()
{
    char self[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    return std::filesystem::path(self).parent_path().string();
}

struct WindowSearch {
    DWORD processId;
    const char* caption;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM parameter)
{
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(parameter);
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    char caption[256] = "";
    ::GetWindowTextA(window, caption, sizeof caption);
    if (processId != search.processId || !::IsWindowVisible(window) || std::string(caption) != search.caption)
        return TRUE;
    search.found = window;
    return FALSE;
}

// Polls for a visible top-level window of the process with that caption;
// null when the process ends or the time is up first.
HWND WaitForWindow(const PROCESS_INFORMATION& process, const char* caption, unsigned timeoutMs)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        WindowSearch search = {process.dwProcessId, caption, nullptr};
        ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr)
            return search.found;
        if (::WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0 || ::GetTickCount64() >= deadline)
            return nullptr;
    }
}

class ToolProcess {
public:
    // Runs the program from its own folder, as an operator does.
    explicit ToolProcess(const std::string& program)
    {
        const std::string folder = std::filesystem::path(program).parent_path().string();
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        std::string commandLine = "\"" + program + "\"";
        m_started = ::CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                     folder.c_str(), &startup, &m_process) != 0;
    }
    // A tool that did not end when asked is ended here, so that no run
    // leaves one behind.
    ~ToolProcess()
    {
        if (!m_started)
            return;
        if (::WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT) {
            ::TerminateProcess(m_process.hProcess, 1);
            ::WaitForSingleObject(m_process.hProcess, kExitTimeoutMs);
        }
        ::CloseHandle(m_process.hThread);
        ::CloseHandle(m_process.hProcess);
    }
    ToolProcess(const ToolProcess&) = delete;
    ToolProcess& operator=(const ToolProcess&) = delete;

    bool Started() const { return m_started; }
    HWND WaitForWindow(const char* caption, unsigned timeoutMs) const
    {
        return ::WaitForWindow(m_process, caption, timeoutMs);
    }
    bool WaitForExit(unsigned timeoutMs) const
    {
        return ::WaitForSingleObject(m_process.hProcess, timeoutMs) == WAIT_OBJECT_0;
    }
    // Zero when the counters cannot be read.
    PROCESS_MEMORY_COUNTERS Memory() const
    {
        PROCESS_MEMORY_COUNTERS counters = {};
        if (!::GetProcessMemoryInfo(m_process.hProcess, &counters, sizeof counters))
            counters = PROCESS_MEMORY_COUNTERS{};
        return counters;
    }

private:
    PROCESS_INFORMATION m_process = {};
    bool m_started = false;
};

// As the operator's click does: the notification reaches the tool's handler
// in the tool's own process.
void Click(HWND dialog, int id)
{
    ::SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

double MiB(SIZE_T bytes)
{
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

bool MeasureColdStarts(const std::string& program)
{
    std::vector<double> samples;
    for (int run = 0; run < kColdStarts; ++run) {
        HWND window = nullptr;
        std::unique_ptr<ToolProcess> tool;
        samples.push_back(TimeMs([&] {
            tool = std::make_unique<ToolProcess>(program);
            if (tool->Started())
                window = tool->WaitForWindow(QYRSAT_MAIN_CAPTION, kWindowTimeoutMs);
        }));
        if (window == nullptr) {
            ReportFailure("QYRSAT.exe did not show its window");
            return false;
        }
        ::PostMessageA(window, WM_CLOSE, 0, 0);
        if (!tool->WaitForExit(kExitTimeoutMs)) {
            ReportFailure("QYRSAT.exe did not end when closed");
            return false;
        }
    }
    ReportSamples("Cold start of QYRSAT.exe to its window shown", "no server", samples, "ms");
    ReportNote("cold start: from CreateProcess of QYRSAT.exe to its main window visible, with Wine already "
               "running; the first launch is among the samples");
    return true;
}

bool MeasureWithServers(const std::string& program, const StandinWorkspace& workspace)
{
    const ToolProcess tool(program);
    const HWND window = tool.Started() ? tool.WaitForWindow(QYRSAT_MAIN_CAPTION, kWindowTimeoutMs) : nullptr;
    if (window == nullptr) {
        ReportFailure("QYRSAT.exe did not show its window");
        return false;
    }
    const SIZE_T idle = tool.Memory().WorkingSetSize;
    for (int i = 0; i < kMaxServers; ++i) {
        Click(window, IDC_NEW);
        Click(window, IDC_START);
    }
    if (!workspace.WaitForStarts(kMaxServers, kStartsTimeoutMs)) {
        ReportFailure("the tool did not start 32 servers");
        return false;
    }
    // A tick of the tool's own timer: a watchdog pass over the 32 and a refresh.
    ::SendMessageA(window, WM_TIMER, IDT_WATCHDOG, 0);
    const PROCESS_MEMORY_COUNTERS memory = tool.Memory();
    if (memory.PeakWorkingSetSize == 0) {
        ReportFailure("the memory counters of QYRSAT.exe could not be read");
        return false;
    }
    ReportValue("QYRSAT.exe working set after start-up", "no server", MiB(idle), "MiB");
    ReportValue("QYRSAT.exe peak working set", "32 servers running", MiB(memory.PeakWorkingSetSize), "MiB");
    ReportNote("working set: of the real QYRSAT.exe process, read with GetProcessMemoryInfo on its handle after its "
               "own buttons started 32 stand-in servers and one watchdog pass ran; under Wine this counts the "
               "memory of Wine's own libraries in the process as well");

    ::PostMessageA(window, WM_CLOSE, 0, 0);
    const HWND question = tool.WaitForWindow(kCloseQuestionCaption, kWindowTimeoutMs);
    if (question == nullptr) {
        ReportFailure("closing the tool with servers running asked no question");
        return false;
    }
    ::PostMessageA(question, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(question, IDYES)));
    if (!tool.WaitForExit(kStopAllTimeoutMs) || !workspace.WaitAllEnded(kExitTimeoutMs)) {
        ReportFailure("answering Yes did not stop the servers and end the tool");
        return false;
    }
    return true;
}

}  // namespace

int main()
{
    return MeasureInGameFolder([](const GameFolder& game) {
        const std::string program = game.BinFolder() + "\\QYRSAT.exe";
        if (!game.AddMaps("TeamDeathMatch", kMaps) ||
            !::CopyFileA((OwnFolder() + "\\QYRSAT.exe").c_str(), program.c_str(), FALSE)) {
            ReportFailure("no maps or no QYRSAT.exe in the game folder");
            return false;
        }
        // The tool starts QYR.exe from its own folder: the stand-in, with its
        // bounded lifetime passed on through the environment.
        const StandinWorkspace workspace(game.BinFolder());
        if (!workspace.Ready()) {
            ReportFailure("no stand-in in the game folder");
            return false;
        }
        ReportValue("QYRSAT.exe size", "Release build", static_cast<double>(std::filesystem::file_size(program)),
                    "bytes");
        return MeasureColdStarts(program) && MeasureWithServers(program, workspace);
    });
}
