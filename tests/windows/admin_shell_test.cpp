// The admin window's frame: timer ticks, keys, the menus, the marks and the
// status bar, and closing with the question about running servers,
// answered on the real box.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "framework/win_app.h"
#include "res/resource.h"
#include "standin/standin_protocol.h"
#include "tests/support/standin_workspace_win.h"
#include "tests/windows/admin_window_fixture.h"
#include "version.h"

namespace {

// How many pixels of the first list item's mark, as the list shows it, have
// a colour of this kind. The mark sits at the item's left, in a square as
// high as the item, inside the focus rectangle's dotted line.
int MarkPixels(HWND dialog, const std::function<bool(int red, int green, int blue)>& kind)
{
    const HWND list = ::GetDlgItem(dialog, IDC_SERVERLIST);
    ::ShowWindow(dialog, SW_SHOW);
    ::RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    RECT item = {};
    ::SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
    const HDC shown = ::GetDC(list);
    int count = 0;
    for (int y = item.top + 2; y < item.bottom - 2; ++y)
        for (int x = item.left + 2; x < item.left + (item.bottom - item.top) - 2; ++x) {
            const COLORREF pixel = ::GetPixel(shown, x, y);

            count += kind(GetRValue(pixel), GetGValue(pixel), GetBValue(pixel)) ? 1 : 0;
        }
    ::ReleaseDC(list, shown);
    return count;
}

bool IsGreen(int r, int g, int b) { return g > 120 && r < 90 && b < 110; }
bool IsAmber(int r, int g, int b) { return r > 200 && g > 100 && g < 200 && b < 80; }
bool IsRed(int r, int g, int b) { return r > 170 && g < 80 && b < 80; }
bool IsGrey(int r, int g, int b) { return r == g && g == b && r > 90 && r < 170; }

// The popup of the menu bar with this identifier.
HMENU MenuBarPopup(HWND window, UINT id)
{
    const HMENU bar = ::GetMenu(window);
    for (int i = 0; i < ::GetMenuItemCount(bar); ++i) {
        MENUITEMINFOA item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_ID | MIIM_SUBMENU;
        if (::GetMenuItemInfoA(bar, static_cast<UINT>(i), TRUE, &item) && item.wID == id)
            return item.hSubMenu;
    }
    return nullptr;
}

// Real keys, as the keyboard gives them: pressed in order, released in
// reverse.
void PressKeys(const std::vector<WORD>& keys)
{
    std::vector<INPUT> inputs(keys.size() * 2);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        INPUT& down = inputs[i];
        INPUT& up = inputs[inputs.size() - 1 - i];
        down.type = up.type = INPUT_KEYBOARD;
        down.ki.wVk = up.ki.wVk = keys[i];
        up.ki.dwFlags = KEYEVENTF_KEYUP;
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// Polls from another thread than the window's, at most five seconds.
bool Eventually(const std::function<bool()>& done)
{
    for (int wait = 0; wait < 100 && !done(); ++wait)
        ::Sleep(50);
    return done();
}

// The stand-in game server runs from the game folder's Bin; the workspace
// ends whatever a test leaves running.
class AdminShellTest : public AdminWindowTest {
protected:
    void SetUp() override
    {
        AdminWindowTest::SetUp();
        ASSERT_TRUE(m_servers.Ready());
    }
    void TearDown() override
    {
        for (HANDLE process : m_watched)
            ::CloseHandle(process);
        AdminWindowTest::TearDown();
    }

    // Starts the current server and keeps a handle of our own on its
    // process, which outlives the window's table.
    HANDLE StartCurrent()
    {
        EXPECT_TRUE(g_serverManager->StartCurrent());
        const HANDLE process = ::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE,
                                             Current().process.dwProcessId);
        EXPECT_NE(process, nullptr);
        m_watched.push_back(process);
        return process;
    }

    static bool Ended(HANDLE process, DWORD waitMs = 0)
    {
        return ::WaitForSingleObject(process, waitMs) == WAIT_OBJECT_0;
    }

    // Asks the window to close as the close box does, answering the
    // question with `button`; returns the question's text.
    std::string CloseAnswering(int button)
    {
        std::string question;
        {
            ModalAnswerer answerer("Running server(s)", [&](HWND box) {
                question = MessageBoxText(box);
                PressButton(box, button);
            });
            ::SendMessageA(m_window, WM_CLOSE, 0, 0);
            PumpPendingMessages();
            EXPECT_TRUE(answerer.Answered());
        }
        return question;
    }

    // This thread's top-level windows, the hidden ones included.
    static std::vector<HWND> ThreadWindows()
    {
        std::vector<HWND> windows;
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND window, LPARAM param) {
                reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&windows));
        return windows;
    }

    StandinWorkspace m_servers{m_game.BinFolder()};
    std::vector<HANDLE> m_watched;
};

}  // namespace

TEST_F(AdminShellTest, ClosingWithoutRunningServersAsksNothing)
{
    AddServer();
    ::SendMessageA(m_window, WM_CLOSE, 0, 0);
    PumpPendingMessages();
    EXPECT_FALSE(::IsWindow(m_window));
    EXPECT_EQ(m_dialog.ModelessResult(), IDCANCEL);
}

TEST_F(AdminShellTest, CancelKeepsTheWindowAndItsServers)
{
    AddServer();
    const HANDLE first = StartCurrent();
    AddServer();
    const HANDLE second = StartCurrent();

    EXPECT_EQ(CloseAnswering(IDCANCEL),
              "You still have 2 server(s) running. Do you want to close these before exiting?");
    EXPECT_TRUE(::IsWindow(m_window));
    EXPECT_EQ(g_serverManager->CountRunning(), 2);
    EXPECT_FALSE(Ended(first));
    EXPECT_FALSE(Ended(second));
}

TEST_F(AdminShellTest, YesStopsEveryServerThenCloses)
{
    AddServer();
    const HANDLE first = StartCurrent();
    AddServer();
    const HANDLE second = StartCurrent();

    CloseAnswering(IDYES);
    EXPECT_FALSE(::IsWindow(m_window));
    EXPECT_TRUE(Ended(first, 5000));
    EXPECT_TRUE(Ended(second, 5000));
}

TEST_F(AdminShellTest, ForeignTimerRefreshesWithoutAWatchdogPass)
{
    // A server that crashes at once, with nothing there to relaunch it.
    m_servers.SetOption(standin::kExitAfterMsVariable, "1");
    AddServer();
    const HANDLE process = StartCurrent();
    ASSERT_TRUE(Ended(process, 5000));
    ASSERT_TRUE(m_servers.RemoveProgram());
    m_dialog.RefreshFromCurrent();
    ASSERT_TRUE(IsControlEnabled(m_window, IDC_STOP));

    // A typed text not yet committed is replaced by the stored one.
    ::SetDlgItemTextA(m_window, IDC_NAME, "typed");
    ::SendMessageA(m_window, WM_TIMER, IDT_WATCHDOG + 1, 0);
    EXPECT_EQ(Current().running, 1);
    EXPECT_EQ(ControlText(m_window, IDC_NAME), "qyr");

    // The window's own timer runs the pass: the relaunch fails, and the
    // refresh shows the server editable again.
    ::SendMessageA(m_window, WM_TIMER, IDT_WATCHDOG, 0);
    EXPECT_EQ(Current().running, 0);
    EXPECT_TRUE(IsControlEnabled(m_window, IDC_START));
    EXPECT_FALSE(IsControlEnabled(m_window, IDC_STOP));
}

// A tick leaves alone what the operator is typing; leaving the edit stores it.
TEST_F(AdminShellTest, TickWhileTypingKeepsTheTypedText)
{
    AddServer();
    const HWND name = ::GetDlgItem(m_window, IDC_NAME);
    ::SetFocus(name);
    ::SendMessageA(name, EM_SETSEL, 0, -1);
    for (char c : std::string("Cup"))
        ::SendMessageA(name, WM_CHAR, static_cast<WPARAM>(c), 1);
    ::SendMessageA(m_window, WM_TIMER, IDT_WATCHDOG, 0);
    EXPECT_EQ(ControlText(m_window, IDC_NAME), "Cup");
    EXPECT_STREQ(Current().name, "qyr");
    ::SetFocus(::GetDlgItem(m_window, IDC_PORT));
    EXPECT_STREQ(Current().name, "Cup");
}

TEST_F(AdminShellTest, WatchdogTickRelaunchesACrashedServer)
{
    m_servers.SetOption(standin::kExitAfterMsVariable, "1");
    AddServer();
    const HANDLE process = StartCurrent();
    ASSERT_TRUE(Ended(process, 5000));
    const DWORD firstId = Current().process.dwProcessId;
    m_servers.ClearOptions();

    ::SendMessageA(m_window, WM_TIMER, IDT_WATCHDOG, 0);
    EXPECT_EQ(Current().running, 1);
    EXPECT_NE(Current().process.dwProcessId, firstId);
    EXPECT_TRUE(IsControlEnabled(m_window, IDC_STOP));
}

// Neither key closes the window or acts: one press of Esc, unlike the close
// box, would throw the table away without a question.
TEST_F(AdminShellTest, EnterAndEscInAnEditDoNothing)
{
    ServerConfig& server = AddServer();
    const HWND name = ::GetDlgItem(m_window, IDC_NAME);
    ::SetFocus(name);
    ::SetWindowTextA(name, "renamed");
    for (WPARAM pressed : {VK_RETURN, VK_ESCAPE}) {
        // Through the real dialog manager, as the message loop hands it a key.
        MSG key = {name, WM_KEYDOWN, pressed, 0, 0, {0, 0}};
        ::IsDialogMessageA(m_window, &key);
        key.message = WM_KEYUP;
        ::IsDialogMessageA(m_window, &key);
        PumpPendingMessages();
        ASSERT_TRUE(::IsWindow(m_window)) << "key " << pressed;
        EXPECT_STREQ(server.name, "qyr");
        EXPECT_EQ(g_serverManager->count, 1);
    }
}

// From the system menu and from the menu bar's Help.
TEST_F(AdminShellTest, AboutItemsOpenTheAboutBox)
{
    for (UINT message : {WM_SYSCOMMAND, WM_COMMAND}) {
        std::string text;
        {
            ModalAnswerer answerer("About", [&](HWND box) {
                // The two-line title is the box's first static text.
                const HWND title =
                    ::FindWindowExA(box, ::FindWindowExA(box, nullptr, "Static", nullptr), "Static", nullptr);
                char buffer[256] = "";
                ::GetWindowTextA(title, buffer, sizeof buffer);
                text = buffer;
                PressButton(box, IDOK);
            });
            ::SendMessageA(m_window, message, IDM_ABOUTBOX, 0);
            EXPECT_TRUE(answerer.Answered()) << message;
        }
        EXPECT_NE(text.find("Server Admin Tool 1.5"), std::string::npos) << text;
        EXPECT_TRUE(::IsWindow(m_window));
    }
}

TEST_F(AdminShellTest, OtherSystemCommandsKeepTheirEffect)
{
    ::ShowWindow(m_window, SW_SHOW);
    ::SendMessageA(m_window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_TRUE(::IsIconic(m_window));
    ::UpdateWindow(m_window);  // paints the icon
    ::SendMessageA(m_window, WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_FALSE(::IsIconic(m_window));
    ::SendMessageA(m_window, WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpPendingMessages();
    EXPECT_FALSE(::IsWindow(m_window));
}

// Each of the window's icons is the image of the size the system draws it
// at; the small one is not the large one shrunk.
TEST_F(AdminShellTest, WindowIconsHaveTheSystemsSizesAndTheLargeOneIsDragged)
{
    const LRESULT large = ::SendMessageA(m_window, WM_GETICON, ICON_BIG, 0);
    EXPECT_EQ(::SendMessageA(m_window, WM_QUERYDRAGICON, 0, 0), large);
    const std::pair<WPARAM, int> icons[] = {{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}};
    for (const auto& [which, metric] : icons) {
        ICONINFO info = {};
        ASSERT_TRUE(::GetIconInfo(reinterpret_cast<HICON>(::SendMessageA(m_window, WM_GETICON, which, 0)), &info));
        BITMAP colour = {};
        ::GetObjectA(info.hbmColor, sizeof colour, &colour);
        EXPECT_EQ(colour.bmWidth, ::GetSystemMetrics(metric)) << "icon " << which;
        ::DeleteObject(info.hbmMask);
        ::DeleteObject(info.hbmColor);
    }
}

TEST_F(AdminShellTest, HelpRequestOpensNoWindowAndKeepsTheTable)
{
    AddServer();
    const std::vector<HWND> before = ThreadWindows();
    HELPINFO help = {sizeof help, HELPINFO_WINDOW, IDC_NAME, ::GetDlgItem(m_window, IDC_NAME), 0, {0, 0}};
    ::SendMessageA(m_window, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
    PumpPendingMessages();
    EXPECT_EQ(ThreadWindows(), before);
    EXPECT_TRUE(::IsWindow(m_window));
    EXPECT_EQ(g_serverManager->count, 1);
}

// After No the window is gone and the servers run on, untold, until their
// own time is up.
TEST_F(AdminShellTest, AfterNoTheServersEndByTheirOwnLifetime)
{
    // Long enough for the starts and the question on a loaded machine.
    m_servers.SetOption(standin::kLifetimeMsVariable, "10000");
    AddServer();
    const HANDLE first = StartCurrent();
    const DWORD firstId = Current().process.dwProcessId;
    AddServer();
    const HANDLE second = StartCurrent();
    const DWORD secondId = Current().process.dwProcessId;
    ASSERT_TRUE(m_servers.WaitForStarts(2, 15000));

    CloseAnswering(IDNO);
    ASSERT_FALSE(::IsWindow(m_window));
    EXPECT_FALSE(Ended(first));
    EXPECT_FALSE(Ended(second));

    // Nothing of the tool is left to stop them: they end when their own
    // time is up, and were told nothing before.
    const HANDLE processes[] = {first, second};
    const DWORD ids[] = {firstId, secondId};
    for (int i = 0; i < 2; ++i) {
        const HANDLE process = processes[i];
        const DWORD id = ids[i];
        ASSERT_TRUE(Ended(process, 20000)) << "pid " << id;
        DWORD exitCode = 1;
        EXPECT_TRUE(::GetExitCodeProcess(process, &exitCode));
        EXPECT_EQ(exitCode, 0u) << "pid " << id;
        const StandinEvents events = m_servers.Events();
        EXPECT_EQ(Select(events, standin::kLifetimeEvent, id).size(), 1u) << "pid " << id;
        EXPECT_TRUE(Select(events, standin::kQuitEvent, id).empty()) << "pid " << id;
        EXPECT_TRUE(Select(events, standin::kCloseEvent, id).empty()) << "pid " << id;
    }
}

// The list's mark, read from the screen, and the status bar follow the
// server: running, its process ended before the watchdog came, relaunched
// by the watchdog, stopped.
TEST_F(AdminShellTest, MarkAndStatusBarFollowTheServer)
{
    m_servers.SetOption(standin::kExitAfterMsVariable, "1");
    Notify(m_window, IDC_NEW, BN_CLICKED);
    Notify(m_window, IDC_START, BN_CLICKED);
    EXPECT_EQ(ControlText(m_window, IDC_STATUSBAR).rfind("qyr: running for 0:00:0", 0), 0u);
    EXPECT_GT(MarkPixels(m_window, IsGreen), 0);

    const HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, Current().process.dwProcessId);
    ASSERT_TRUE(Ended(process, 5000));
    ::CloseHandle(process);
    ::SendMessageA(m_window, WM_TIMER, IDT_WATCHDOG + 1, 0);  // a refresh without the watchdog
    EXPECT_EQ(ControlText(m_window, IDC_STATUSBAR), "qyr: ended, waiting for the watchdog to start it again");
    EXPECT_GT(MarkPixels(m_window, IsRed), 0);

    m_servers.ClearOptions();
    ::SendMessageA(m_window, WM_TIMER, IDT_WATCHDOG, 0);
    EXPECT_NE(ControlText(m_window, IDC_STATUSBAR).find(", relaunched 1 time since the operator's start, last exit "),
              std::string::npos);
    EXPECT_GT(MarkPixels(m_window, IsAmber), 0);
    EXPECT_EQ(MarkPixels(m_window, IsGreen), 0);

    Notify(m_window, IDC_STOP, BN_CLICKED);
    EXPECT_EQ(ControlText(m_window, IDC_STATUSBAR), "qyr: stopped");
    EXPECT_GT(MarkPixels(m_window, IsGrey), 0);
    EXPECT_EQ(MarkPixels(m_window, IsAmber), 0);
}

// The Server menu's items are the buttons: enabled as they are when the
// menu opens, and doing what they do, a greyed one nothing.
TEST_F(AdminShellTest, ServerMenuItemsAreTheButtons)
{
    const HMENU menu = MenuBarPopup(m_window, IDM_SERVER_MENU);
    ASSERT_NE(menu, nullptr);
    const auto choose = [&](int id) { ::SendMessageA(m_window, WM_COMMAND, MAKEWPARAM(id, 0), 0); };
    const auto expectEnabledAsTheButtons = [&](const char* state) {
        ::SendMessageA(m_window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 1);
        for (int id : {IDC_NEW, IDC_START, IDC_STOP, IDC_DELETE})
            EXPECT_EQ((::GetMenuState(menu, static_cast<UINT>(id), MF_BYCOMMAND) & MF_GRAYED) == 0,
                      IsControlEnabled(m_window, id))
                << state << ", item " << id;
    };
    expectEnabledAsTheButtons("no server");
    choose(IDC_NEW);
    ASSERT_EQ(ListBoxCount(m_window, IDC_SERVERLIST), 1);
    expectEnabledAsTheButtons("stopped");
    choose(IDC_START);
    EXPECT_EQ(Current().running, 1);
    expectEnabledAsTheButtons("running");
    choose(IDC_DELETE);
    EXPECT_EQ(g_serverManager->count, 1);
    choose(IDC_STOP);
    EXPECT_EQ(Current().running, 0);
    choose(IDC_DELETE);
    EXPECT_EQ(g_serverManager->count, 0);
    EXPECT_EQ(ListBoxCount(m_window, IDC_SERVERLIST), 0);
}

// In the modal loop the program runs the window in, a shortcut acts in the
// window and does nothing while a modal box is over it.
TEST(AdminWindowShortcuts, ActInTheWindowAndNotUnderAModalBox)
{
    const UnexpectedModalGuard guard;
    const TempGameTree game;
    CWinApp app;
    app.Enable3dControls();
    CServerAdminDlg dialog;
    app.m_pMainWnd = &dialog;
    int underTheBox = -1;
    int inTheWindow = -1;
    ModalAnswerer window(QYRSAT_MAIN_CAPTION, [&](HWND admin) {
        const auto servers = [admin] { return ListBoxCount(admin, IDC_SERVERLIST); };
        ::SetForegroundWindow(admin);
        PressKeys({VK_CONTROL, 'N'});
        Eventually([&] { return servers() == 1; });
        inTheWindow = servers();
        {
            ModalAnswerer about("About", [&](HWND box) {
                ::SetForegroundWindow(box);
                PressKeys({VK_CONTROL, 'N'});
                ::Sleep(1000);  // the time the key took in the window, many times over
                underTheBox = servers();
                PressButton(box, IDOK);
            });
            ::PostMessageA(admin, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
            Eventually([&] { return about.Answered(); });
        }
        ::PostMessageA(admin, WM_CLOSE, 0, 0);
    });
    dialog.DoModal();
    app.m_pMainWnd = nullptr;
    EXPECT_EQ(inTheWindow, 1);
    EXPECT_EQ(underTheBox, 1);
}
