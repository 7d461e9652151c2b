// The server history on the real admin window with real stand-in servers:
// what its dialog lists is what the set's log holds, line for line.
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "res/resource.h"
#include "standin/standin_protocol.h"
#include "tests/file_bytes.h"
#include "tests/support/standin_workspace_win.h"
#include "tests/windows/admin_window_fixture.h"

#include <commctrl.h>

namespace {

// Each line without its time, which the test cannot know.
std::vector<std::string> Untimed(const std::vector<std::string>& lines)
{
    std::vector<std::string> untimed;
    for (const std::string& line : lines)
        untimed.push_back(line.substr(line.find('\t') + 1));
    return untimed;
}

bool Fits(const std::string& row, const std::string& expected)
{
    const std::size_t known = expected.find("...");
    return known == std::string::npos ? row == expected : row.compare(0, known, expected, 0, known) == 0;
}

std::string ClipboardText()
{
    std::string text;
    if (::OpenClipboard(nullptr)) {
        if (const HANDLE data = ::GetClipboardData(CF_TEXT))
            text = static_cast<const char*>(::GlobalLock(data));
        ::CloseClipboard();
    }
    return text;
}

std::vector<std::string> LogLines(const std::string& path)
{
    const std::string text = ReadFileBytes(path);
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

class ServerHistoryTest : public AdminWindowTest {
protected:
    std::string SetPath() const { return m_game.BinFolder() + "\\servers.ini"; }
    std::string LogPath() const { return m_game.BinFolder() + "\\servers.log"; }

    void Answer(const char* caption, const std::function<void(HWND)>& answer, const std::function<void()>& action)
    {
        ModalAnswerer answerer(caption, answer);
        action();
        PumpPendingMessages();
        EXPECT_TRUE(answerer.Answered()) << caption;
    }

    void SaveSet()
    {
        Answer("Save As", [this](HWND dialog) { ChooseFileName(dialog, SetPath()); },
               [this] { ::SendMessageA(m_window, WM_SYSCOMMAND, IDM_SAVESERVERSETAS, 0); });
    }

    // The rows of the window's history dialog, each as the log's line
    // without its line end; the dialog is checked to be the window's own.
    // Before it closes, the row `copied` is selected (none: -1) and "Copy"
    // pressed. `whileOpen` runs first, from the answering thread.
    std::vector<std::string> DialogRows(HWND window, int copied = -1, const std::function<void()>& whileOpen = [] {})
    {
        std::vector<std::string> rows;
        Answer("Server History",
               [&](HWND dialog) {
                   EXPECT_EQ(::GetWindow(dialog, GW_OWNER), window);
                   whileOpen();
                   const HWND list = ::GetDlgItem(dialog, IDC_HISTORY_LIST);
                   for (int item = 0; item < ListView_GetItemCount(list); ++item) {
                       std::string row;
                       for (int column = 0; column < 4; ++column) {
                           char text[4096] = "";
                           ListView_GetItemText(list, item, column, text, sizeof text);
                           row += (column > 0 ? "\t" : "") + std::string(text);
                       }
                       rows.push_back(row);
                   }
                   if (copied >= 0)
                       ListView_SetItemState(list, copied, LVIS_SELECTED, LVIS_SELECTED);
                   PressButton(dialog, IDC_HISTORY_COPY);
                   PressButton(dialog, IDCANCEL);
               },
               [&] { ::SendMessageA(window, WM_SYSCOMMAND, IDM_SERVERHISTORY, 0); });
        return rows;
    }

    StandinWorkspace m_servers{m_game.BinFolder()};
};

std::string SystemText(DWORD error)
{
    char text[512] = "";
    ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text, sizeof text,
                     nullptr);
    std::string words = text;
    return words.substr(0, words.find_last_not_of("\r\n. ") + 1) + ".";
}

}  // namespace

// A crash 2 s after the start, the watchdog's relaunch, Stop and a start
// without the program, with nothing written before a set is open.
TEST_F(ServerHistoryTest, CrashRelaunchStopAndFailedStartAreShownAndLogged)
{
    AddServer();
    Notify(m_window, IDC_START, BN_CLICKED);
    Notify(m_window, IDC_STOP, BN_CLICKED);
    EXPECT_EQ(ReadFileBytes(LogPath()), "<missing>");
    SaveSet();
    m_servers.SetOption(standin::kExitAfterMsVariable, "2000");
    m_servers.SetOption(standin::kExitCodeVariable, "3221225477");
    Notify(m_window, IDC_START, BN_CLICKED);
    const DWORD crashed = Current().process.dwProcessId;
    ASSERT_EQ(::WaitForSingleObject(Current().process.hProcess, 15000), WAIT_OBJECT_0);
    m_servers.ClearOptions();
    // The tick comes while the dialog is open, and its events show there.
    EXPECT_EQ(DialogRows(m_window, -1, [this] { ::SendMessageA(m_window, WM_TIMER, IDT_WATCHDOG, 0); }).size(), 6u);
    const DWORD relaunched = Current().process.dwProcessId;
    ASSERT_FALSE(m_servers.WaitForEvents(standin::kStartEvent, relaunched, 15000).empty());
    Notify(m_window, IDC_STOP, BN_CLICKED);
    ASSERT_TRUE(m_servers.RemoveProgram());
    Notify(m_window, IDC_START, BN_CLICKED);

    // "..." ends what is known of a row: the rest depends on timing.
    const std::string expected[] = {
        "qyr\tstarted\tby the operator, process ...",
        "qyr\tstopped\t...",
        "\tset saved\t" + SetPath(),
        "qyr\tstarted\tby the operator, process " + std::to_string(crashed),
        "qyr\texited\tcode 3221225477 (0xC0000005, access violation) after 0:00:0...",
        "qyr\tstarted\tby the watchdog, relaunch 1 since the operator's last start, process " +
            std::to_string(relaunched),
        "qyr\tstopped\tcode 0 after 0:00:0...",
        "qyr\tstart failed\t" + SystemText(ERROR_FILE_NOT_FOUND),
    };
    const std::vector<std::string> rows = DialogRows(m_window);
    ASSERT_EQ(rows.size(), std::size(expected));
    EXPECT_EQ(std::vector<std::string>(rows.begin() + 2, rows.end()), LogLines(LogPath()));
    const std::vector<std::string> untimed = Untimed(rows);
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_TRUE(Fits(untimed[i], expected[i])) << untimed[i];
    const char ranFor = untimed[4].back();
    EXPECT_TRUE(ranFor >= '1' && ranFor <= '3') << untimed[4];
    std::string all;
    for (const std::string& row : rows)
        all += row + "\r\n";
    EXPECT_EQ(ClipboardText(), all);  // none selected: all copied
    EXPECT_EQ(DialogRows(m_window, 4), rows);
    EXPECT_EQ(ClipboardText(), rows[4] + "\r\n");
}

// Closed with "No", the server runs on; the next copy opening the set shows
// the log's lines, then its takeover.
TEST_F(ServerHistoryTest, NextCopyShowsTheLogThenItsTakeover)
{
    AddServer();
    SaveSet();
    Notify(m_window, IDC_START, BN_CLICKED);
    const std::string process = std::to_string(Current().process.dwProcessId);
    Answer("Running server(s)", [](HWND box) { PressButton(box, IDNO); },
           [this] { ::SendMessageA(m_window, WM_CLOSE, 0, 0); });
    const std::vector<std::string> logged = LogLines(LogPath());
    ASSERT_EQ(logged.size(), 3u);
    EXPECT_TRUE(Fits(Untimed(logged)[2], "qyr\tleft running\tprocess " + process)) << logged[2];

    CServerAdminDlg copy;
    copy.SetStartUpArguments({SetPath()});
    ASSERT_TRUE(copy.Create());
    PumpPendingMessages();
    const std::vector<std::string> rows = DialogRows(copy.GetSafeHwnd());
    ASSERT_EQ(rows.size(), 5u);
    EXPECT_EQ(std::vector<std::string>(rows.begin(), rows.begin() + 3), logged);
    EXPECT_EQ(rows, LogLines(LogPath()));
    EXPECT_TRUE(Fits(Untimed(rows)[3], "qyr\tadopted\tprocess " + process + ", running for 0:00:...")) << rows[3];
    EXPECT_EQ(Untimed(rows)[4], "\tset opened\t" + SetPath() + ": 1 servers, 1 adopted, 0 started");
    ::DestroyWindow(copy.GetSafeHwnd());
}

// A full log is rotated before the next line; a read-only one is told of
// once, and again only after a line was written in between.
TEST_F(ServerHistoryTest, FullLogIsRotatedAndAReadOnlyOneIsToldOfOnce)
{
    const std::string full(1024 * 1024, 'x');
    WriteFileBytes(LogPath(), full);
    SaveSet();
    EXPECT_EQ(ReadFileBytes(LogPath() + ".1"), full);
    ASSERT_EQ(LogLines(LogPath()).size(), 1u);
    AddServer();
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(::SetFileAttributesA(LogPath().c_str(), FILE_ATTRIBUTE_READONLY));
        std::string text;
        Answer("Server History Not Saved",
               [&](HWND box) {
                   text = MessageBoxText(box);
                   PressButton(box, IDOK);
               },
               [this] { Notify(m_window, IDC_START, BN_CLICKED); });
        EXPECT_NE(text.find(LogPath() + "\n\nThe file is read-only."), std::string::npos) << text;
        Notify(m_window, IDC_STOP, BN_CLICKED);  // a second box would fail the test
        PumpPendingMessages();
        ASSERT_TRUE(::SetFileAttributesA(LogPath().c_str(), FILE_ATTRIBUTE_NORMAL));
        Notify(m_window, IDC_START, BN_CLICKED);
        Notify(m_window, IDC_STOP, BN_CLICKED);
        EXPECT_EQ(LogLines(LogPath()).size(), 3u + 2 * round);
    }
    EXPECT_EQ(DialogRows(m_window).size(), 9u);
}
