// Server sets on the real admin window, with its real boxes and file
// dialogs, and real stand-in servers: saved, opened in another copy of the
// window, their running servers adopted or started again, refused where
// they cannot be used.
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "res/resource.h"
#include "servers/command_line.h"
#include "standin/standin_protocol.h"
#include "tests/file_bytes.h"
#include "tests/support/standin_workspace_win.h"
#include "tests/windows/admin_window_fixture.h"

#include <commctrl.h>

namespace {

const char kPlainCaption[] = "QYR 1.5 Server Admin Tool";

// Does `action`, answering the modal window of that caption that it opens
// with `answer`; false when no such window came.
bool Answering(const char* caption, std::function<void(HWND)> answer, const std::function<void()>& action)
{
    ModalAnswerer answerer(caption, std::move(answer));
    action();
    PumpPendingMessages();
    return answerer.Answered();
}

// Answers a box with its first button and keeps its text.
std::function<void(HWND)> Read(std::string& text, int button = IDOK)
{
    return [&text, button](HWND box) {
        text = MessageBoxText(box);
        PressButton(box, button);
    };
}

void SystemCommand(HWND window, UINT command)
{
    ::SendMessageA(window, WM_SYSCOMMAND, command, 0);
}

std::vector<std::string> CommandLines()
{
    std::vector<std::string> lines;
    for (const ServerConfig* server : g_serverManager->slots)
        lines.push_back(server != nullptr ? BuildCommandLine(*server) : "");
    return lines;
}

void EndProcess(HANDLE process)
{
    ::TerminateProcess(process, 1);
    ::WaitForSingleObject(process, 10000);
    ::CloseHandle(process);
}

class ServerSetTest : public AdminWindowTest {
protected:
    std::string SetPath() const { return m_game.BinFolder() + "\\servers.ini"; }

    bool ChooseSetFile(HWND window, UINT command, const char* dialogCaption)
    {
        return Answering(dialogCaption, [this](HWND dialog) { ChooseFileName(dialog, SetPath()); },
                         [&] { SystemCommand(window, command); });
    }

    StandinWorkspace m_servers{m_game.BinFolder()};
};

}  // namespace

// Closed with "No", the servers run on; the next copy started with the set
// has the same table, adopts the server still running and starts the one
// the host lost, with no question, and its Stop reaches the server it
// adopted.
TEST_F(ServerSetTest, RunningServersAreAdoptedOrStartedAgainAtStartUp)
{
    AddServer();
    TypeText(m_window, IDC_NAME, " two  words ");
    ChooseItem(m_window, IDC_MAXPLAYERS, "8");
    Notify(m_window, IDC_START, BN_CLICKED);
    AddServer();
    Notify(m_window, IDC_START, BN_CLICKED);
    ASSERT_TRUE(m_servers.WaitForStarts(2, 15000));
    ASSERT_TRUE(ChooseSetFile(m_window, IDM_SAVESERVERSETAS, "Save As"));
    const std::vector<std::string> lines = CommandLines();
    EXPECT_EQ(lines[0].rfind(" +server  two  words  +port 27015 +map TeamDeathMatch\\ +maxplayers 8 ", 0), 0u);
    const DWORD kept = g_serverManager->slots[0]->process.dwProcessId;
    const DWORD lost = g_serverManager->slots[1]->process.dwProcessId;
    std::string question;
    ASSERT_TRUE(Answering("Running server(s)", Read(question, IDNO), [&] { ::SendMessageA(m_window, WM_CLOSE, 0, 0); }));
    EndProcess(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, lost));

    CServerAdminDlg copy;
    copy.SetStartUpArguments({"servers.ini"});
    ASSERT_TRUE(copy.Create());
    PumpPendingMessages();
    ASSERT_TRUE(m_servers.WaitForStarts(3, 15000));
    const StandinEvents starts = Select(m_servers.Events(), standin::kStartEvent);
    EXPECT_EQ(starts[2].Field("cmdline"), Select(starts, standin::kStartEvent, lost).at(0).Field("cmdline"));
    EXPECT_EQ(CommandLines(), lines);
    EXPECT_EQ(WindowText(copy.GetSafeHwnd()), std::string("servers.ini - ") + kPlainCaption);
    EXPECT_EQ(g_serverManager->slots[0]->process.dwProcessId, kept);
    EXPECT_EQ(g_serverManager->slots[1]->process.dwProcessId, starts[2].processId);
    EXPECT_NE(ReadFileBytes(SetPath()).find("processId=" + std::to_string(starts[2].processId)), std::string::npos);

    ChooseListBoxItem(copy.GetSafeHwnd(), IDC_SERVERLIST, 0);  // " two  words ", before "qyr"
    Notify(copy.GetSafeHwnd(), IDC_STOP, BN_CLICKED);
    EXPECT_FALSE(m_servers.WaitForEvents(standin::kQuitEvent, kept, 5000).empty());
    // Closed with "Yes", the set keeps no server running.
    ASSERT_TRUE(Answering("Running server(s)", Read(question, IDYES),
                          [&] { ::SendMessageA(copy.GetSafeHwnd(), WM_CLOSE, 0, 0); }));
    EXPECT_EQ(ReadFileBytes(SetPath()).find("running=1"), std::string::npos);
}

// A tool that is killed leaves the set it last wrote; if its servers went
// down with the host, the next start brings them back.
TEST_F(ServerSetTest, KilledToolsSetBringsItsServersBack)
{
    WriteFileBytes(SetPath(), "[Slot 1]\nname=back\nrunning=1\n");
    char self[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string tool = std::string(self).substr(0, std::string(self).rfind("\\tests\\")) + "\\bin\\QYRSAT.exe";
    for (std::size_t run = 1; run <= 2; ++run) {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        std::string commandLine = "QYRSAT.exe servers.ini";
        ASSERT_TRUE(::CreateProcessA(tool.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                     m_game.BinFolder().c_str(), &startup, &process));
        ASSERT_TRUE(m_servers.WaitForStarts(run, 30000));
        const StandinEvent start = Select(m_servers.Events(), standin::kStartEvent).back();
        EXPECT_NE(start.Field("cmdline").find(" +server back "), std::string::npos);
        const std::string saved = "running=1\r\nprocessId=" + std::to_string(start.processId) + "\r\n";
        for (int wait = 0; wait < 100 && ReadFileBytes(SetPath()).find(saved) == std::string::npos; ++wait)
            ::Sleep(100);
        EXPECT_NE(ReadFileBytes(SetPath()).find(saved), std::string::npos);
        ::CloseHandle(process.hThread);
        EndProcess(process.hProcess);
        EndProcess(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, start.processId));
    }
}

// A set that can no longer be written is told of once, and again only after
// a write has succeeded in between; the tool goes on.
TEST_F(ServerSetTest, UnwritableSetIsToldOnceUntilAWriteSucceeds)
{
    AddServer();
    ASSERT_TRUE(ChooseSetFile(m_window, IDM_SAVESERVERSETAS, "Save As"));
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(::SetFileAttributesA(SetPath().c_str(), FILE_ATTRIBUTE_READONLY));
        std::string text;
        ASSERT_TRUE(Answering("Server Set Not Saved", Read(text), [&] { Click(m_window, IDC_RESPAWN); }));
        EXPECT_NE(text.find(SetPath() + "\n\nThe file is read-only."), std::string::npos) << text;
        Click(m_window, IDC_PURE);  // a second box would fail the test
        ASSERT_TRUE(::SetFileAttributesA(SetPath().c_str(), FILE_ATTRIBUTE_NORMAL));
        Click(m_window, IDC_HASH);
        const std::string written = ReadFileBytes(SetPath());
        const std::string toggled = round == 0 ? "1\r\n" : "0\r\n";
        const std::string back = round == 0 ? "0\r\n" : "1\r\n";
        for (const std::string& line : {"respawn=" + toggled, "pure=" + back, "hash=" + back})
            EXPECT_NE(written.find(line), std::string::npos) << line;
    }
}

// Every refusal comes before the file dialog. Opened from the menu, the set
// replaces the table, and the servers it saved as running are started
// after one question.
TEST_F(ServerSetTest, OpenFromTheMenuAsksInTurn)
{
    AddServer();
    Notify(m_window, IDC_START, BN_CLICKED);
    std::string text;
    ASSERT_TRUE(Answering("Server Set Not Opened", Read(text), [&] { SystemCommand(m_window, IDM_OPENSERVERSET); }));
    EXPECT_EQ(text, "Stop the running servers before opening a server set.");
    Notify(m_window, IDC_STOP, BN_CLICKED);
    ASSERT_TRUE(Answering("Open Server Set", Read(text, IDNO), [&] { SystemCommand(m_window, IDM_OPENSERVERSET); }));
    EXPECT_EQ(text, "The table holds 1 server(s) that no server set keeps. Replace them with the servers of a set?");

    // With the table empty nothing is lost, so the one question left is the
    // one about starting servers.
    Notify(m_window, IDC_DELETE, BN_CLICKED);
    WriteFileBytes(SetPath(), "[Slot 2]\nname=saved\nrunning=1\n");
    ASSERT_TRUE(Answering("Open Server Set", Read(text, IDYES),
                          [&] { ASSERT_TRUE(ChooseSetFile(m_window, IDM_OPENSERVERSET, "Open")); }));
    EXPECT_EQ(text, "Start the 1 server that was running when this set was saved?");
    ASSERT_TRUE(m_servers.WaitForStarts(2, 15000));
    EXPECT_NE(Select(m_servers.Events(), standin::kStartEvent).back().Field("cmdline").find(" +server saved "),
              std::string::npos);
    EXPECT_EQ(g_serverManager->count, 1);
    EXPECT_EQ(WindowText(m_window), std::string("servers.ini - ") + kPlainCaption);
}

// Each leaves an empty table and no set open. A set this window has open is
// in use when the other copy comes, and is not written by it.
TEST_F(ServerSetTest, StartUpArgumentsThatCannotBeUsedLeaveAnEmptyTable)
{
    ASSERT_TRUE(ChooseSetFile(m_window, IDM_SAVESERVERSETAS, "Save As"));
    const std::string saved = ReadFileBytes(SetPath());
    const struct {
        std::vector<std::string> arguments;
        const char* caption;
        const char* told;
    } cases[] = {
        {{"servers.ini"}, "Server Set Not Opened", "servers.ini\n\nAnother copy of the tool has it open."},
        {{"missing.ini"}, "Server Set Not Opened", "missing.ini\n\nNo such file or directory."},
        {{"a.ini", "b.ini"}, "Command Line Not Understood", " [SERVER-SET]\n\nGive at most one argument"},
    };
    for (const auto& c : cases) {
        CServerAdminDlg copy;
        copy.SetStartUpArguments(c.arguments);
        std::string text;
        HICON icon = nullptr;
        const auto read = [&](HWND box) {
            icon = MessageBoxIcon(box);
            Read(text)(box);
        };
        ASSERT_TRUE(Answering(c.caption, read, [&] { ASSERT_TRUE(copy.Create()); }));
        EXPECT_NE(text.find(c.told), std::string::npos) << text;
        EXPECT_EQ(icon, ::LoadIconA(nullptr, IDI_ERROR)) << "a failure is told with the error icon";
        EXPECT_EQ(WindowText(copy.GetSafeHwnd()), kPlainCaption);
        EXPECT_EQ(g_serverManager->count, 0);
        ::DestroyWindow(copy.GetSafeHwnd());
    }
    EXPECT_EQ(ReadFileBytes(SetPath()), saved);
}

// The watchdog's options from their dialog (the time only while its box
// is checked) are kept in the set; what a set's section cannot give is
// listed with the other values ignored.
TEST_F(ServerSetTest, WatchdogOptionsGoFromTheDialogToTheSetAndBack)
{
    ASSERT_TRUE(ChooseSetFile(m_window, IDM_SAVESERVERSETAS, "Save As"));
    bool timeEnabled[2] = {true, false};
    ASSERT_TRUE(Answering("Watchdog", [&](HWND dialog) {
        EXPECT_EQ(::GetWindow(dialog, GW_OWNER), m_window);
        timeEnabled[0] = IsControlEnabled(dialog, IDC_WATCHDOG_TIME);
        Click(dialog, IDC_WATCHDOG_BACKOFF);
        Click(dialog, IDC_WATCHDOG_DAILYRESTART);
        timeEnabled[1] = IsControlEnabled(dialog, IDC_WATCHDOG_TIME);
        SYSTEMTIME at = {2027, 3, 3, 10, 23, 5, 0, 0};
        DateTime_SetSystemtime(::GetDlgItem(dialog, IDC_WATCHDOG_TIME), GDT_VALID, &at);
        PressButton(dialog, IDOK);
    }, [&] { SystemCommand(m_window, IDM_WATCHDOG); }));
    EXPECT_FALSE(timeEnabled[0]);
    EXPECT_TRUE(timeEnabled[1]);
    EXPECT_NE(ReadFileBytes(SetPath()).find("\r\n[Watchdog]\r\nbackOff=1\r\ndailyRestart=23:05\r\n"),
              std::string::npos);

    WriteFileBytes(SetPath(), "[Watchdog]\nbackOff=2\n");
    std::string text;
    ASSERT_TRUE(Answering("Server Set Values Ignored", Read(text),
                          [&] { ASSERT_TRUE(ChooseSetFile(m_window, IDM_OPENSERVERSET, "Open")); }));
    EXPECT_NE(text.find("\n[Watchdog] backOff = 2: not 0 or 1\n"), std::string::npos) << text;
}

// drive-letter-run.sh gives a letter that stands for a folder: a set opened
// through the letter in one copy is in use for a copy that names the folder.
TEST_F(ServerSetTest, DriveLetterOfItsFolderReachesTheSetInUse)
{
    const char* drive = std::getenv("QYR_TEST_DRIVE");
    const char* folder = std::getenv("QYR_TEST_DRIVE_FOLDER");
    ASSERT_TRUE(drive != nullptr && folder != nullptr);
    WriteFileBytes(std::string(folder) + "\\servers.ini", "[Slot 1]\nname=one\n");
    CServerAdminDlg first, second;
    first.SetStartUpArguments({std::string(drive) + "\\servers.ini"});
    ASSERT_TRUE(first.Create());
    PumpPendingMessages();
    second.SetStartUpArguments({std::string(folder) + "\\servers.ini"});
    std::string text;
    ASSERT_TRUE(Answering("Server Set Not Opened", Read(text), [&] { ASSERT_TRUE(second.Create()); }));
    EXPECT_NE(text.find("Another copy of the tool has it open."), std::string::npos) << text;
}
