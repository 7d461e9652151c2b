// The admin window with the dialogs it opens, as the tool runs them: the
// admin window is the application's main window, shown, and each dialog is
// modal over it. Where a test must show that the admin window takes no
// input, the input is real mouse input.
#include <atomic>
#include <cstring>
#include <functional>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "framework/win_app.h"
#include "res/resource.h"
#include "servers/text_compare.h"
#include "tests/file_bytes.h"
#include "tests/windows/admin_window_fixture.h"

// Running out of memory, on demand: the first allocation of at least the
// armed size fails, once. Real handlers then throw a real std::bad_alloc.
namespace {
std::atomic<std::size_t> g_failAllocationOf{0};
}  // namespace

void* operator new(std::size_t size)
{
    std::size_t armed = g_failAllocationOf.load();
    if (armed != 0 && size >= armed && g_failAllocationOf.compare_exchange_strong(armed, 0))
        throw std::bad_alloc();
    if (void* memory = ::HeapAlloc(::GetProcessHeap(), 0, size != 0 ? size : 1))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    ::HeapFree(::GetProcessHeap(), 0, memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    ::HeapFree(::GetProcessHeap(), 0, memory);
}

namespace {

const char kEditorCaption[] = "Map Rotation";
const char kAboutCaption[] = "About";
const char kFailureCaption[] = "Action Not Completed";
// Larger than anything the windows allocate on their own; a rotation entry
// of this length makes the editor allocate it.
constexpr std::size_t kLargeAllocation = 64 * 1024;

RECT WindowRect(HWND window)
{
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    return rect;
}

RECT WorkAreaOf(HWND window)
{
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoA(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    return monitor.rcWork;
}

// Within a pixel: odd sizes halve unevenly.
void ExpectCentredOver(const RECT& window, const RECT& over, const char* what)
{
    EXPECT_NEAR(window.left + window.right, over.left + over.right, 2) << what;
    EXPECT_NEAR(window.top + window.bottom, over.top + over.bottom, 2) << what;
}

void ExpectInside(const RECT& window, const RECT& area, const char* what)
{
    EXPECT_GE(window.left, area.left) << what;
    EXPECT_GE(window.top, area.top) << what;
    EXPECT_LE(window.right, area.right) << what;
    EXPECT_LE(window.bottom, area.bottom) << what;
}

// A click of the real mouse at a point of the screen, as the operator's.
void ClickAt(POINT point)
{
    const int width = ::GetSystemMetrics(SM_CXSCREEN);
    const int height = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT inputs[3] = {};
    for (INPUT& input : inputs) {
        input.type = INPUT_MOUSE;
        input.mi.dx = static_cast<LONG>(point.x * 65535 / (width - 1));
        input.mi.dy = static_cast<LONG>(point.y * 65535 / (height - 1));
        input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
    }
    inputs[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
    inputs[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
    ::SendInput(3, inputs, sizeof(INPUT));
}

POINT MiddleOf(const RECT& rect)
{
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// The screen point in the middle of a list box's item.
POINT ListItemPoint(HWND dialog, int id, int index)
{
    const HWND list = ::GetDlgItem(dialog, id);
    RECT item = {};
    ::SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    ::MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&item), 2);
    return MiddleOf(item);
}

// Handles this thread's messages until `done` holds, at most five seconds.
bool WaitFor(const std::function<bool()>& done)
{
    for (int wait = 0; wait < 250 && !done(); ++wait) {
        PumpPendingMessages();
        ::Sleep(20);
    }
    return done();
}

class ModalDialogsTest : public AdminWindowTest {
protected:
    void SetUp() override
    {
        AdminWindowTest::SetUp();
        m_app.emplace();
        m_app->m_pMainWnd = &m_dialog;
        m_game.AddFile("Fallout", "Dunes.dls");
        m_game.AddFile("TeamDeathMatch", "Arena.dls");
        // Shown and active, but not where it opened, so that "centred over
        // it" and "centred on the screen" differ.
        m_opened = WindowRect(m_window);
        const RECT work = WorkAreaOf(m_window);
        ::SetWindowPos(m_window, nullptr, work.left + 10, work.top + 20, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
        ::SetForegroundWindow(m_window);
        PumpPendingMessages();
    }

    void TearDown() override
    {
        g_failAllocationOf = 0;
        AdminWindowTest::TearDown();
        m_app.reset();
    }

    // Opens a window with `open` and hands it, found by its caption, to
    // `answer`, which closes it; false when it never came.
    // The window may close before `answer` returns, ending `open` first:
    // the answer counts once the answerer's thread has ended.
    bool WhileOpen(const char* caption, const std::function<void()>& open, const std::function<void(HWND)>& answer)
    {
        bool answered = false;
        {
            ModalAnswerer answerer(caption, [&](HWND window) {
                answer(window);
                answered = true;
            });
            open();
        }
        return answered;
    }

    void OpenEditor() { Click(m_window, IDC_ROTATIONBUTTON); }
    void OpenAbout() { ::SendMessageA(m_window, WM_SYSCOMMAND, IDM_ABOUTBOX, 0); }

    // Whether the admin window takes input while the window with `caption`
    // is open, which `button` then closes.
    bool AdminEnabledWhile(const char* caption, const std::function<void()>& open, int button)
    {
        bool enabled = true;
        EXPECT_TRUE(WhileOpen(caption, open, [&](HWND window) {
            enabled = ::IsWindowEnabled(m_window) != FALSE;
            PressButton(window, button);
        })) << caption;
        return enabled;
    }

    void ExpectAdminBackInCharge(const char* after) const
    {
        EXPECT_TRUE(::IsWindowEnabled(m_window)) << after;
        EXPECT_EQ(::GetActiveWindow(), m_window) << after;
    }

    std::optional<CWinApp> m_app;
    RECT m_opened = {};
};

}  // namespace

TEST_F(ModalDialogsTest, WindowsOpenCentredAndInsideTheWorkArea)
{
    const RECT work = WorkAreaOf(m_window);
    ExpectCentredOver(m_opened, work, "admin window");

    AddServer();
    const RECT admin = WindowRect(m_window);
    RECT editor = {};
    HWND editorOwner = nullptr;
    EXPECT_TRUE(WhileOpen(kEditorCaption, [&] { OpenEditor(); }, [&](HWND window) {
        editor = WindowRect(window);
        editorOwner = ::GetWindow(window, GW_OWNER);
        PressButton(window, IDCANCEL);
    }));
    EXPECT_EQ(editorOwner, m_window);
    ExpectCentredOver(editor, admin, "editor");

    RECT about = {};
    EXPECT_TRUE(WhileOpen(kAboutCaption, [&] { OpenAbout(); }, [&](HWND window) {
        about = WindowRect(window);
        PressButton(window, IDOK);
    }));
    ExpectCentredOver(about, admin, "About box");

    RECT browse = {};
    EXPECT_TRUE(WhileOpen("Open", [&] { Click(m_window, IDC_BROWSE); }, [&](HWND window) {
        browse = WindowRect(window);
        PressButton(window, IDCANCEL);
    }));
    ExpectCentredOver(browse, admin, "Browse");

    // With the admin window hanging over the work area's lower right corner,
    // centring would put the box partly outside.
    ::SetWindowPos(m_window, nullptr, work.right - 120, work.bottom - 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_TRUE(WhileOpen(kAboutCaption, [&] { OpenAbout(); }, [&](HWND window) {
        about = WindowRect(window);
        PressButton(window, IDOK);
    }));
    ExpectInside(about, work, "About box near the edge");
    EXPECT_EQ(about.right, work.right);
    EXPECT_EQ(about.bottom, work.bottom);
}

TEST_F(ModalDialogsTest, AdminWindowTakesNoInputWhileADialogIsOpen)
{
    ServerConfig& server = AddServer();
    EXPECT_FALSE(AdminEnabledWhile(kEditorCaption, [&] { OpenEditor(); }, IDCANCEL));
    ExpectAdminBackInCharge("editor");
    EXPECT_FALSE(AdminEnabledWhile(kAboutCaption, [&] { OpenAbout(); }, IDOK));
    ExpectAdminBackInCharge("About box");
    EXPECT_FALSE(AdminEnabledWhile("Open", [&] { Click(m_window, IDC_BROWSE); }, IDCANCEL));
    ExpectAdminBackInCharge("Browse");

    server.running = 1;  // no process: the question only counts the marks
    EXPECT_FALSE(AdminEnabledWhile("Running server(s)", [&] {
        ::SendMessageA(m_window, WM_CLOSE, 0, 0);
        PumpPendingMessages();
    }, IDCANCEL));
    server.running = 0;
    ASSERT_TRUE(::IsWindow(m_window));
    ExpectAdminBackInCharge("exit question");

    // The box that names a rotation it could not save sits over the editor.
    CopyText(server.rotationFile, (m_game.Root() + "\\missing\\r.map").c_str());
    bool adminEnabled = true;
    bool boxCame = false;
    EXPECT_TRUE(WhileOpen(kEditorCaption, [&] { OpenEditor(); }, [&](HWND editor) {
        {
            ModalAnswerer box("Rotation Not Saved", [&](HWND window) {
                adminEnabled = ::IsWindowEnabled(m_window) != FALSE;
                PressButton(window, IDOK);
            });
            PressButton(editor, IDOK);
            WaitFor([&] { return box.Answered(); });
            boxCame = box.Answered();
        }
        PressButton(editor, IDCANCEL);
    }));
    EXPECT_TRUE(boxCame);
    EXPECT_FALSE(adminEnabled);
    ExpectAdminBackInCharge("Rotation Not Saved");
}

TEST_F(ModalDialogsTest, EditorOkWritesIntoTheServerCurrentWhenItOpened)
{
    ServerConfig& first = AddServer();
    CopyText(first.name, "alpha");
    const std::string firstPath = m_game.Root() + "\\alpha.map";  // not there yet
    CopyText(first.rotationFile, firstPath.c_str());
    ServerConfig& second = AddServer();  // now the current one
    CopyText(second.name, "beta");
    const std::string secondPath = m_game.Root() + "\\beta.map";
    WriteFileBytes(secondPath, "Map = TeamDeathMatch\\Arena;\r\n");
    CopyText(second.rotationFile, secondPath.c_str());
    ::SendDlgItemMessageA(m_window, IDC_SERVERLIST, LB_RESETCONTENT, 0, 0);
    for (const char* name : {"alpha", "beta"})
        ::SendDlgItemMessageA(m_window, IDC_SERVERLIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));

    // A real click reaches the list while nothing else is open.
    ClickAt(ListItemPoint(m_window, IDC_SERVERLIST, 0));
    ASSERT_TRUE(WaitFor([] { return EqualNoCase(g_serverManager->Current()->name, "alpha"); }));

    // With the editor open, a click on the other server is lost; the click
    // on "Add" after it shows that both have been handled.
    bool added = false;
    EXPECT_TRUE(WhileOpen(kEditorCaption, [&] { OpenEditor(); }, [&](HWND editor) {
        const POINT other = ListItemPoint(m_window, IDC_SERVERLIST, 1);
        const RECT covered = WindowRect(editor);
        EXPECT_FALSE(::PtInRect(&covered, other));  // the click is meant for the list, not the editor
        ClickAt(other);
        RECT add = {};
        ::GetWindowRect(::GetDlgItem(editor, IDC_ROTATION_ADD), &add);
        ClickAt(MiddleOf(add));
        added = WaitFor([&] { return ListBoxCount(editor, IDC_ROTATION_ENTRIES) == 1; });
        PressButton(editor, IDOK);
    }));
    EXPECT_TRUE(added);
    EXPECT_STREQ(g_serverManager->Current()->name, "alpha");
    EXPECT_EQ(ListBoxSelection(m_window, IDC_SERVERLIST), 0);
    EXPECT_STREQ(first.rotationFile, firstPath.c_str());
    EXPECT_EQ(ReadFileBytes(firstPath), "Map = Fallout\\Dunes;\r\n");
    EXPECT_STREQ(second.rotationFile, secondPath.c_str());
    EXPECT_EQ(ReadFileBytes(secondPath), "Map = TeamDeathMatch\\Arena;\r\n");
}

// The rotation holds an entry too long for the memory left: the editor
// cannot load it, then cannot save it; each time one box says so and the
// tool goes on.
TEST_F(ModalDialogsTest, AFailingHandlerIsReportedAndChangesNothing)
{
    ServerConfig& server = AddServer();
    const std::string path = m_game.Root() + "\\long.map";
    const std::string bytes = "Map = Fallout\\" + std::string(kLargeAllocation, 'D') + ";\r\n";
    WriteFileBytes(path, bytes);
    CopyText(server.rotationFile, path.c_str());
    std::vector<unsigned char> before(sizeof server);
    std::memcpy(before.data(), &server, sizeof server);
    const auto unchanged = [&] { return std::memcmp(before.data(), &server, sizeof server) == 0; };

    // Opening: one box, owned by the editor, which then does not open.
    std::string text;
    char ownerCaption[64] = "";
    bool editorShown = true;
    g_failAllocationOf = kLargeAllocation;
    EXPECT_TRUE(WhileOpen(kFailureCaption, [&] { OpenEditor(); }, [&](HWND box) {
        text = MessageBoxText(box);
        const HWND owner = ::GetWindow(box, GW_OWNER);
        ::GetWindowTextA(owner, ownerCaption, sizeof ownerCaption);
        editorShown = ::IsWindowVisible(owner) != FALSE;
        PressButton(box, IDOK);
    }));
    EXPECT_EQ(text, "\"Map Rotation\" could not be opened: there is not enough memory.");
    EXPECT_STREQ(ownerCaption, kEditorCaption);
    EXPECT_FALSE(editorShown);
    EXPECT_TRUE(unchanged());
    EXPECT_TRUE(ReadFileBytes(path) == bytes);
    ExpectAdminBackInCharge("editor that could not open");

    // OK: one box, owned by the editor, which stays open with its entry.
    // The same failure again while the box is open is not told a second
    // time: a second box would hold the repeated message until answered.
    text.clear();
    HWND owner = nullptr;
    HWND shownEditor = nullptr;
    bool editorStayed = false;
    bool repeatToldOnce = false;
    EXPECT_TRUE(WhileOpen(kEditorCaption, [&] { OpenEditor(); }, [&](HWND editor) {
        shownEditor = editor;
        {
            ModalAnswerer box(kFailureCaption, [&](HWND window) {
                text = MessageBoxText(window);
                owner = ::GetWindow(window, GW_OWNER);
                g_failAllocationOf = kLargeAllocation;
                DWORD_PTR ignored = 0;
                repeatToldOnce = ::SendMessageTimeoutA(editor, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0,
                                                       SMTO_NORMAL, 5000, &ignored) != 0 &&
                                 g_failAllocationOf == 0;
                const HWND second = ::GetLastActivePopup(editor);
                if (second != window && second != editor)
                    PressButton(second, IDOK);
                PressButton(window, IDOK);
            });
            g_failAllocationOf = kLargeAllocation;
            PressButton(editor, IDOK);
            WaitFor([&] { return box.Answered(); });
        }
        editorStayed = WaitFor([&] { return ::IsWindowEnabled(editor) != FALSE; }) &&
                       ::IsWindowVisible(editor) && ListBoxCount(editor, IDC_ROTATION_ENTRIES) == 1;
        PressButton(editor, IDCANCEL);
    }));
    EXPECT_EQ(text, "The last action in \"Map Rotation\" could not be completed: there is not enough memory.");
    EXPECT_EQ(owner, shownEditor);
    EXPECT_TRUE(repeatToldOnce);
    EXPECT_TRUE(editorStayed);
    EXPECT_TRUE(unchanged());
    EXPECT_TRUE(ReadFileBytes(path) == bytes);
    ExpectAdminBackInCharge("editor that could not save");

    // The timer and the editor work as before; the file was not left open.
    ::SetDlgItemTextA(m_window, IDC_PORT, "typed");
    ::SendMessageA(m_window, WM_TIMER, IDT_WATCHDOG, 0);
    EXPECT_EQ(ControlText(m_window, IDC_PORT), "27015");
    bool saved = false;
    EXPECT_TRUE(WhileOpen(kEditorCaption, [&] { OpenEditor(); }, [&](HWND editor) {
        ::SendDlgItemMessageA(editor, IDC_ROTATION_ENTRIES, LB_DELETESTRING, 0, 0);
        PressButton(editor, IDC_ROTATION_ADD);
        WaitFor([&] { return ListBoxCount(editor, IDC_ROTATION_ENTRIES) == 1; });
        PressButton(editor, IDOK);
        saved = WaitFor([&] { return ::IsWindow(editor) == FALSE; });
        if (!saved) {  // "Rotation Not Saved" is open over the editor
            PressButton(::GetLastActivePopup(editor), IDOK);
            PressButton(editor, IDCANCEL);
        }
    }));
    EXPECT_TRUE(saved);
    EXPECT_TRUE(ReadFileBytes(path) == "Map = Fallout\\Dunes;\r\n");
}

// Names longer than any path the record holds, typed as the operator types:
// Wine's dialogs build the path in a buffer of MAX_PATH characters.
TEST_F(ModalDialogsTest, OverlongTypedFileNamesAreRefused)
{
    const ServerConfig& server = AddServer();
    for (const std::string& name : {std::string(300, 'n'), std::string(500, ' ')}) {
        EXPECT_TRUE(WhileOpen("Open", [&] { Click(m_window, IDC_BROWSE); }, [&](HWND dialog) { TypeFileName(dialog, name); }));
        ASSERT_STREQ(server.rotationFile, "");
        EXPECT_TRUE(WhileOpen(kEditorCaption, [&] { OpenEditor(); }, [&](HWND editor) {
            ModalAnswerer save("Save As", [&](HWND dialog) { TypeFileName(dialog, name); });
            PressButton(editor, IDOK);
            EXPECT_TRUE(WaitFor([&] { return save.Answered(); }));
            PressButton(editor, IDCANCEL);
        }));
        ASSERT_STREQ(server.rotationFile, "");
        ExpectAdminBackInCharge("the file dialogs");
    }
}
