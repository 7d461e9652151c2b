// The server history on the real admin window with real stand-in servers:
// what its dialog lists is what the set's log holds, line for line; what
// the watchdog's back-off and daily restart do, as it tells them. Its
// clock, in a zone with daylight saving time.
#include "history/history_line.h"
#include "history/server_history_dlg.h"
#include "res/resource.h"
#include "servers/process_times_win.h"
#include "servers/wall_clock_win.h"
#include "standin/standin_protocol.h"
#include "tests/file_bytes.h"
#include "tests/support/standin_workspace_win.h"
#include "tests/windows/admin_window_fixture.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>

namespace {

// Each row, without its time, which the test cannot know, is the expected
// one; "..." ends what is known of a row: the rest depends on timing.
void ExpectRows(const std::vector<std::string>& rows, const std::vector<std::string>& expected)
{
    ASSERT_EQ(rows.size(), expected.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::size_t known = expected[i].find("...");
        EXPECT_EQ(rows[i].substr(rows[i].find('\t') + 1).substr(0, known), expected[i].substr(0, known));
    }
}

// The rows as the log holds them and as "Copy" gives them.
std::string Joined(const std::vector<std::string>& rows)
{
    std::string text;
    for (const std::string& row : rows)
        text += row + "\r\n";
    return text;
}

std::string ClipboardText()
{
    EXPECT_TRUE(::OpenClipboard(nullptr));
    const HANDLE data = ::GetClipboardData(CF_TEXT);
    const std::string text = data != nullptr ? static_cast<const char*>(::GlobalLock(data)) : "";
    ::CloseClipboard();
    return text;
}

std::string SystemText(DWORD error)
{
    char text[512] = "";
    ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text, sizeof text,
                     nullptr);
    std::string words = text;
    return words.substr(0, words.find_last_not_of("\r\n. ") + 1) + ".";
}

class ServerHistoryTest : public AdminWindowTest {
protected:
    std::string SetPath() const { return m_game.BinFolder() + "\\servers.ini"; }
    std::string LogPath() const { return m_game.BinFolder() + "\\servers.log"; }

    // A box about the log comes once the history's thread has tried it.
    void Answer(const char* caption, const std::function<void(HWND)>& answer, const std::function<void()>& action)
    {
        ModalAnswerer answerer(caption, answer);
        action();
        for (const ULONGLONG end = ::GetTickCount64() + 10000; !answerer.Answered() && ::GetTickCount64() < end;)
            PumpPendingMessages();
        EXPECT_TRUE(answerer.Answered()) << caption;
    }

    void SaveSet()
    {
        Answer("Save As", [this](HWND dialog) { ChooseFileName(dialog, SetPath()); },
               [this] { ::SendMessageA(m_window, WM_SYSCOMMAND, IDM_SAVESERVERSETAS, 0); });
    }

    // The rows of the window's own history dialog, each as a log line
    // without its line end, read after `whileOpen` ran from the answering
    // thread; then "Copy" is pressed.
    std::vector<std::string> DialogRows(HWND window, const std::function<void(HWND list)>& whileOpen = [](HWND) {})
    {
        std::vector<std::string> rows;
        Answer("Server History",
               [&](HWND dialog) {
                   EXPECT_EQ(::GetWindow(dialog, GW_OWNER), window);
                   const HWND list = ::GetDlgItem(dialog, IDC_HISTORY_LIST);
                   whileOpen(list);
                   for (int item = 0; item < ListView_GetItemCount(list); ++item) {
                       rows.emplace_back();
                       for (int column = 0; column < 4; ++column) {
                           char text[4096] = "";
                           ListView_GetItemText(list, item, column, text, sizeof text);
                           rows.back() += (column > 0 ? "\t" : "") + std::string(text);
                       }
                   }
                   PressButton(dialog, IDC_HISTORY_COPY);
                   PressButton(dialog, IDCANCEL);
               },
               [&] { ::SendMessageA(window, WM_SYSCOMMAND, IDM_SERVERHISTORY, 0); });
        return rows;
    }

    // The watchdog's ticks come when the test says, as the window's timer
    // would send them at that moment.
    void Tick(std::int64_t at)
    {
        g_serverManager->watchdogClock = [this] { return m_now; };
        m_now.utcSeconds = at;
        ::SendMessageA(m_window, WM_TIMER, IDT_WATCHDOG, 0);
    }
    std::string At(std::int64_t utcSeconds) const { return TimeOfDayText({utcSeconds, m_now.offsetMinutes}); }
    static std::string Pid(int slot) { return std::to_string(g_serverManager->slots[slot]->process.dwProcessId); }
    // When the current server's process ended, as the system keeps it.
    std::int64_t ExitOfCurrent()
    {
        std::uint64_t created = 0, exited = 0;
        EXPECT_EQ(::WaitForSingleObject(Current().process.hProcess, 15000), WAIT_OBJECT_0);
        return ReadProcessTimes(Current().process.hProcess, created, exited) ? UnixSecondsOf(exited) : 0;
    }

    StandinWorkspace m_servers{m_game.BinFolder()};
    WallTime m_now = SystemWallTime();
};

}  // namespace

// One server from the set's save to the next copy of the tool taking it
// over: a crash 2 s after its start, the watchdog's relaunch, Stop, a start
// without the program, and closing with "No".
TEST_F(ServerHistoryTest, EveryEventIsListedAndLoggedAndTheNextCopyShowsTheLog)
{
    AddServer();
    SaveSet();
    m_servers.SetOption(standin::kExitAfterMsVariable, "2000");
    m_servers.SetOption(standin::kExitCodeVariable, "3221225477");
    Notify(m_window, IDC_START, BN_CLICKED);
    const std::string crashed = std::to_string(Current().process.dwProcessId);
    ASSERT_EQ(::WaitForSingleObject(Current().process.hProcess, 15000), WAIT_OBJECT_0);
    m_servers.ClearOptions();
    // The tick comes while the dialog is open, and its events show there.
    EXPECT_EQ(DialogRows(m_window, [this](HWND) { ::SendMessageA(m_window, WM_TIMER, IDT_WATCHDOG, 0); }).size(), 4u);
    const DWORD relaunched = Current().process.dwProcessId;
    ASSERT_FALSE(m_servers.WaitForEvents(standin::kStartEvent, relaunched, 15000).empty());
    Notify(m_window, IDC_STOP, BN_CLICKED);
    ASSERT_TRUE(m_servers.RemoveProgram());
    Notify(m_window, IDC_START, BN_CLICKED);
    ASSERT_TRUE(m_servers.RestoreProgram());
    Notify(m_window, IDC_START, BN_CLICKED);
    const std::string left = std::to_string(Current().process.dwProcessId);
    Answer("Running server(s)", [](HWND box) { PressButton(box, IDNO); },
           [this] { ::SendMessageA(m_window, WM_CLOSE, 0, 0); });
    CServerAdminDlg copy;
    copy.SetStartUpArguments({SetPath()});
    ASSERT_TRUE(copy.Create());
    PumpPendingMessages();
    const std::vector<std::string> rows = DialogRows(copy.GetSafeHwnd());
    ExpectRows(rows, {"\tset saved\t" + SetPath(), "qyr\tstarted\tby the operator, process " + crashed,
                      "qyr\texited\tcode 3221225477 (0xC0000005, access violation) after 0:00:0...",
                      "qyr\tstarted\tby the watchdog, relaunch 1 since the operator's last start, process " +
                          std::to_string(relaunched),
                      "qyr\tstopped\tcode 0 after 0:00:0...", "qyr\tstart failed\t" + SystemText(ERROR_FILE_NOT_FOUND),
                      "qyr\tstarted\tby the operator, process " + left, "qyr\tleft running\tprocess " + left,
                      "qyr\tadopted\tprocess " + left + ", running for 0:00:...",
                      "\tset opened\t" + SetPath() + ": 1 server, 1 adopted, 0 started"});
    EXPECT_NEAR(rows.at(2).back() - '0', 2, 1) << rows[2];  // the seconds it ran
    EXPECT_EQ(ClipboardText(), Joined(rows));  // none selected: all copied
    const auto selectExited = [](HWND list) { ListView_SetItemState(list, 2, LVIS_SELECTED, LVIS_SELECTED); };
    EXPECT_EQ(DialogRows(copy.GetSafeHwnd(), selectExited), rows);
    EXPECT_EQ(ClipboardText(), rows[2] + "\r\n");
    ::DestroyWindow(copy.GetSafeHwnd());  // its last lines written
    EXPECT_EQ(Joined(rows), ReadFileBytes(LogPath()));
}

// With the back-off on, a server that ends 1.5 s after each start, the
// watchdog coming 10 s after each exit and every 30 s from there: the first
// exit is relaunched at once, the second after a minute, the third makes a
// crash loop, and Stop ends the wait.
TEST_F(ServerHistoryTest, BackOffSlowsAServerThatKeepsEndingAndTellsOfTheLoop)
{
    AddServer();
    g_serverManager->SetWatchdogSettings(WatchdogSettings{true, {}});
    m_servers.SetOption(standin::kExitAfterMsVariable, "1500");
    Notify(m_window, IDC_START, BN_CLICKED);
    const std::string first = Pid(0);
    const std::int64_t firstExit = ExitOfCurrent();
    Tick(firstExit + 10);
    const std::string second = Pid(0);
    const std::int64_t secondExit = ExitOfCurrent();
    Tick(secondExit + 10);
    Tick(secondExit + 40);
    EXPECT_EQ(Pid(0), second);
    EXPECT_EQ(ControlText(m_window, IDC_STATUSBAR),
              "qyr: next start at " + At(secondExit + 60) + " (back-off after 2 quick exits)");
    Tick(secondExit + 70);
    const std::string third = Pid(0);
    const std::int64_t thirdExit = ExitOfCurrent();
    Tick(thirdExit + 10);
    EXPECT_EQ(g_serverManager->CountRunning(), 1);
    Notify(m_window, IDC_STOP, BN_CLICKED);
    Tick(thirdExit + 300);
    EXPECT_EQ(Pid(0), third);
    const std::vector<std::string> rows = DialogRows(m_window);
    ExpectRows(rows, {"qyr\tstarted\tby the operator, process " + first, "qyr\texited\tcode 1 after 0:00:0...",
                      "qyr\tstarted\tby the watchdog, relaunch 1 since the operator's last start, process " + second,
                      "qyr\texited\t...",
                      "qyr\tstarted\tby the watchdog, relaunch 2 since the operator's last start, after a back-off of "
                      "1 min, process " + third,
                      "qyr\texited\t...", "qyr\tcrash loop\t3 quick exits in a row since " + At(firstExit),
                      "qyr\tstopped\tcode 1 after..."});
    EXPECT_EQ(rows.at(3).substr(rows[3].find(';')), "; next start at " + At(secondExit + 60));
}

// A daily restart two minutes ahead, the watchdog coming every 30 s: the
// first server is stopped at the first tick at its time and started at the
// next tick, 30 s on, when its process has long ended; there the second,
// which ignores the quit message and its close, is stopped, and then left
// running.
TEST_F(ServerHistoryTest, DailyRestartRestartsOneServerATickAndNeverStartsASecondProcess)
{
    AddServer();
    Notify(m_window, IDC_START, BN_CLICKED);
    m_servers.SetOption(standin::kIgnoreQuitVariable, "1");
    m_servers.SetOption(standin::kIgnoreCloseVariable, "1");
    AddServer();
    Notify(m_window, IDC_START, BN_CLICKED);
    const std::string stubborn = Pid(1);
    const LocalTime inTwo = LocalTimeOf({m_now.utcSeconds + 120, m_now.offsetMinutes});
    g_serverManager->SetWatchdogSettings(WatchdogSettings{false, {true, inTwo.hour, inTwo.minute}});
    const std::int64_t restartAt = m_now.utcSeconds + 120 - inTwo.second;
    std::int64_t tick = m_now.utcSeconds;
    while (g_serverManager->slots[0]->running == 1 && tick < restartAt + 60)
        Tick(tick += 30);
    EXPECT_TRUE(tick >= restartAt && tick - 30 < restartAt) << tick - restartAt;
    ASSERT_EQ(::WaitForSingleObject(g_serverManager->slots[0]->process.hProcess, 15000), WAIT_OBJECT_0);
    Tick(tick += 30);
    const std::string restarted = Pid(0);
    Tick(tick += 30);
    EXPECT_EQ(g_serverManager->CountRunning(), 2);
    ExpectRows(DialogRows(m_window),
               {"qyr\tstarted\tby the operator, process ...",
                "qyr(1)\tstarted\tby the operator, process " + stubborn, "qyr\tstopped\t...",
                "qyr\tstarted\tby the daily restart, process " + restarted,
                "qyr(1)\tstopped\tasked to close, still running after 1 s",
                "qyr(1)\trestart skipped\tstill running after the stop"});
}

// Nothing is written before a set is open; a full log is rotated before the
// next line; a read-only one is told of once. The dialog lists every event
// all the same.
TEST_F(ServerHistoryTest, LogIsKeptOnlyWithASetRotatedWhenFullAndToldOfOnceWhenReadOnly)
{
    AddServer();
    Notify(m_window, IDC_START, BN_CLICKED);
    Notify(m_window, IDC_STOP, BN_CLICKED);
    const std::string full(1024 * 1024, 'x');
    WriteFileBytes(LogPath(), full);
    SaveSet();
    // Until the new log holds its line, looked at without opening it, which
    // would keep it from being renamed.
    WIN32_FILE_ATTRIBUTE_DATA log = {};
    for (const ULONGLONG end = ::GetTickCount64() + 10000; ::GetTickCount64() < end; ::Sleep(10)) {
        if (::GetFileAttributesExA(LogPath().c_str(), GetFileExInfoStandard, &log) && log.nFileSizeLow > 0 &&
            log.nFileSizeLow < full.size())
            break;
    }
    EXPECT_EQ(ReadFileBytes(LogPath() + ".1"), full);
    ASSERT_TRUE(::SetFileAttributesA(LogPath().c_str(), FILE_ATTRIBUTE_READONLY));
    Answer("Server History Not Saved",
           [this](HWND box) {
               const std::string reason = LogPath() + "\n\nThe file is read-only.";
               EXPECT_PRED_FORMAT2(testing::IsSubstring, reason, MessageBoxText(box));
               PressButton(box, IDOK);
           },
           [this] { Notify(m_window, IDC_START, BN_CLICKED); });
    Notify(m_window, IDC_STOP, BN_CLICKED);  // a second box would fail the test
    const std::vector<std::string> rows = DialogRows(m_window);
    ::DestroyWindow(m_window);  // every line tried
    ASSERT_TRUE(::SetFileAttributesA(LogPath().c_str(), FILE_ATTRIBUTE_NORMAL));
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(ReadFileBytes(LogPath()), rows[2] + "\r\n");
}

// Rows the operator reads stay in view: a new event scrolls the list only
// when its last row was in view, and the selection stays on its event when
// the oldest are let go. The details take the width the others leave.
TEST_F(ServerHistoryTest, TheListStaysWhereTheOperatorPutItAndShowsWholeDetails)
{
    const ServerRunFacts runFacts([] { return WallTime{}; });
    ServerHistory history(runFacts, {nullptr, nullptr});
    const ServerConfig server;
    for (std::uint32_t code = 0; code < HistoryStore::kRunEvents; ++code)
        history.Stopped(0, server, ProcessEnd{true, code, 0});
    CServerHistoryDlg dialog(history, nullptr);
    ASSERT_TRUE(dialog.Create());
    const HWND list = ::GetDlgItem(dialog.GetSafeHwnd(), IDC_HISTORY_LIST);
    ListView_SetItemState(list, 5000, LVIS_SELECTED, LVIS_SELECTED);
    ListView_EnsureVisible(list, 0, FALSE);
    history.Stopped(0, server, ProcessEnd{});
    EXPECT_EQ(ListView_GetTopIndex(list), 0);
    EXPECT_EQ(ListView_GetNextItem(list, -1, LVNI_SELECTED), 4999);  // the event of code 5000
    ::SetWindowPos(dialog.GetSafeHwnd(), nullptr, 0, 0, 1000, 400, SWP_NOMOVE | SWP_NOZORDER);
    RECT room = {}, details = {};
    ::GetClientRect(list, &room);
    Header_GetItemRect(ListView_GetHeader(list), 3, &details);
    EXPECT_EQ(details.right, room.right);
}

// Each moment of the system's clock, as the history writes it, has the
// offset of the system's zone at that moment; the test runs in a zone with
// daylight saving time (see CMakeLists.txt).
TEST(LocalTime, OffsetIsTheZonesOwnInSummerAndInWinter)
{
    TIME_ZONE_INFORMATION zone = {};
    ASSERT_NE(::GetTimeZoneInformation(&zone), TIME_ZONE_ID_INVALID);
    ASSERT_NE(zone.DaylightBias, zone.StandardBias) << "no daylight saving time: run with TZ set, as ctest does";
    for (const WORD month : {1, 7}) {
        const SYSTEMTIME utc = {2026, month, 0, 15, 12, 0, 0, 0};
        const LONG bias = zone.Bias + (month == 7 ? zone.DaylightBias : zone.StandardBias);
        char offset[16];
        std::snprintf(offset, sizeof offset, "%+03ld:%02ld", -bias / 60, std::labs(bias) % 60);
        EXPECT_EQ(TimeText(LocalTimeOf(WallTimeAt(utc))).substr(19), offset) << "month " << utc.wMonth;
    }
}
