// What a Windows operator expects of every dialog and of the system menu:
// each control reached by an access key, on its own text or on the label
// just before it, and every text whole in its control at the display scale
// the run has. The ctest entry runs this program at 96, 144 and 192 DPI
// (dpi-run.sh), and QYRSAT_TEST_DPI says which.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "framework/dialog.h"
#include "framework/win_app.h"
#include "res/resource.h"
#include "tests/windows/admin_window_fixture.h"

namespace {

// A control whose text the program sets from string resources: every one
// of them must fit and carry the control's key.
struct RunTimeTexts {
    int controlId;
    std::vector<UINT> stringIds;
};

struct DialogCase {
    UINT templateId;
    std::vector<RunTimeTexts> runTimeTexts;
};

const DialogCase kDialogs[] = {
    {IDD_ABOUTBOX, {}},
    {IDD_SERVERADMIN_DIALOG, {{IDC_ROTATIONBUTTON, {IDS_NEWROTATION, IDS_EDITROTATION}}}},
    {IDD_MAPROTATION, {}},
};

// The letter after a single '&', lower case; 0 when there is none.
char AccessKey(const std::string& text)
{
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] != '&')
            return static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1])));
        ++i;
    }
    return 0;
}

// A dialog with more focusable controls than there are letters cannot give
// each its own; then no letter may lead to more controls than that forces.
void ExpectKeysSpreadOverTheLetters(const std::map<char, std::vector<std::string>>& keys, std::size_t controls)
{
    const std::size_t mostPerKey = (controls + 25) / 26;
    for (const auto& [key, holders] : keys) {
        std::string names;
        for (const std::string& holder : holders)
            names += " \"" + holder + "\"";
        EXPECT_LE(holders.size(), mostPerKey) << "Alt+" << key << " leads to" << names;
    }
}

std::string ClassOf(HWND window)
{
    char name[64] = "";
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

bool IsClass(HWND window, const char* name)
{
    return lstrcmpiA(ClassOf(window).c_str(), name) == 0;
}

LONG StyleOf(HWND window)
{
    return ::GetWindowLongA(window, GWL_STYLE);
}

bool IsTextLabel(HWND window)
{
    const LONG type = StyleOf(window) & SS_TYPEMASK;
    return IsClass(window, "Static") && (type == SS_LEFT || type == SS_RIGHT || type == SS_CENTER);
}

// Measures texts as the control draws them: with its own font.
class TextMeasure {
public:
    explicit TextMeasure(HWND control)
        : m_control(control), m_dc(::GetDC(control)),
          m_old(::SelectObject(m_dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(control, WM_GETFONT, 0, 0))))
    {
        ::GetTextMetricsA(m_dc, &m_metrics);
    }
    ~TextMeasure()
    {
        ::SelectObject(m_dc, m_old);
        ::ReleaseDC(m_control, m_dc);
    }
    TextMeasure(const TextMeasure&) = delete;
    TextMeasure& operator=(const TextMeasure&) = delete;

    // The rectangle the text takes, broken into lines no wider than `width`
    // when `wrap` (a word longer than that makes it wider).
    SIZE Size(const std::string& text, int width, bool wrap, bool prefix) const
    {
        RECT rect = {0, 0, width, 0};
        const UINT format = DT_CALCRECT | (wrap ? DT_WORDBREAK | DT_EXPANDTABS : DT_SINGLELINE) |
                            (prefix ? 0 : DT_NOPREFIX);
        ::DrawTextA(m_dc, text.c_str(), -1, &rect, format);
        return SIZE{rect.right, rect.bottom};
    }
    int AverageCharWidth() const { return m_metrics.tmAveCharWidth; }

private:
    HWND m_control;
    HDC m_dc;
    HGDIOBJ m_old;
    TEXTMETRICA m_metrics = {};
};

SIZE ClientSize(HWND window)
{
    RECT client = {};
    ::GetClientRect(window, &client);
    return SIZE{client.right, client.bottom};
}

// Labels and group boxes wrap as they draw; buttons and check boxes keep
// one line, with room for their frame or box; a drop-down list shows each
// item in the area beside its arrow.
void ExpectTextFits(HWND control, const std::string& text)
{
    const TextMeasure measure(control);
    const SIZE room = ClientSize(control);
    const LONG style = StyleOf(control);
    if (IsTextLabel(control)) {
        const SIZE size = measure.Size(text, room.cx, true, !(style & SS_NOPREFIX));
        const SIZE oneLine = measure.Size(text, 0, false, !(style & SS_NOPREFIX));
        EXPECT_TRUE(size.cx <= room.cx && size.cy <= room.cy)
            << "\"" << text << "\" is cut: " << oneLine.cx << " pixels wide in one line, " << size.cx << "x"
            << size.cy << " wrapped, in " << room.cx << "x" << room.cy;
        return;
    }
    if (IsClass(control, "Button")) {
        const LONG type = style & BS_TYPEMASK;
        const bool framed = type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
        const bool boxed = type == BS_CHECKBOX || type == BS_AUTOCHECKBOX || type == BS_RADIOBUTTON ||
                           type == BS_AUTORADIOBUTTON || type == BS_3STATE || type == BS_AUTO3STATE;
        int taken = measure.Size(text, 0, false, true).cx;
        if (framed)
            taken += 2 * measure.AverageCharWidth();
        if (boxed)
            taken += ::GetSystemMetrics(SM_CXMENUCHECK) + measure.AverageCharWidth();
        EXPECT_LE(taken, room.cx) << "\"" << text << "\" is cut in its button";
    }
}

void ExpectItemsFit(HWND list)
{
    COMBOBOXINFO parts = {};
    parts.cbSize = sizeof parts;
    ASSERT_TRUE(::GetComboBoxInfo(list, &parts));
    const TextMeasure measure(list);
    const int count = static_cast<int>(::SendMessageA(list, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char item[256] = "";
        ::SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
        EXPECT_LE(measure.Size(item, 0, false, false).cx, parts.rcItem.right - parts.rcItem.left)
            << "\"" << item << "\" is cut in its list";
    }
}

std::string TextOf(HWND window)
{
    char text[256] = "";
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

std::vector<HWND> ChildrenInTabOrder(HWND dialog)
{
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child != nullptr; child = ::GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

// Enter and Esc are the keys of OK and Cancel.
bool NeedsAccessKey(HWND control)
{
    const int id = ::GetDlgCtrlID(control);
    return (StyleOf(control) & WS_TABSTOP) && id != IDOK && id != IDCANCEL;
}

// The texts a control shows: the template's, or those the program sets.
std::vector<std::string> TextsOf(HWND control, const DialogCase& dialog)
{
    for (const RunTimeTexts& set : dialog.runTimeTexts) {
        if (set.controlId != ::GetDlgCtrlID(control))
            continue;
        std::vector<std::string> texts;
        for (UINT id : set.stringIds)
            texts.push_back(LoadResourceString(id));
        return texts;
    }
    return {TextOf(control)};
}

void ExpectConventions(const DialogCase& dialog)
{
    SCOPED_TRACE("dialog template " + std::to_string(dialog.templateId));
    CDialog window(dialog.templateId);
    ASSERT_TRUE(window.Create());
    const std::vector<HWND> children = ChildrenInTabOrder(window.GetSafeHwnd());
    std::map<char, std::vector<std::string>> keys;
    std::size_t focusable = 0;
    for (std::size_t i = 0; i < children.size(); ++i) {
        const HWND control = children[i];
        const std::vector<std::string> texts = TextsOf(control, dialog);
        for (const std::string& text : texts)
            ExpectTextFits(control, text);
        if (IsClass(control, "ComboBox"))
            ExpectItemsFit(control);
        if (!NeedsAccessKey(control))
            continue;
        ++focusable;
        // Buttons and check boxes carry their own key; other controls take
        // the key, and their name, from the label just before them.
        const bool ownText = IsClass(control, "Button");
        const HWND label = ownText ? control : i > 0 ? children[i - 1] : nullptr;
        const std::string name = "control " + std::to_string(::GetDlgCtrlID(control));
        ASSERT_TRUE(ownText || (label != nullptr && IsTextLabel(label))) << name << " has no label before it";
        const std::vector<std::string> named = ownText ? texts : std::vector<std::string>{TextOf(label)};
        const char key = AccessKey(named.front());
        for (const std::string& text : named)
            EXPECT_TRUE(key != 0 && AccessKey(text) == key) << name << ": \"" << text << "\"";
        keys[key].push_back(named.front());
    }
    ExpectKeysSpreadOverTheLetters(keys, focusable);
}

// The items Windows puts in every system menu, and the window's own, whose
// commands lie below the system's. Separators and what else the system
// underneath adds (Wine's own About item) are not the window's to choose.
bool IsOfWindowsOrOurs(UINT command)
{
    const UINT windows[] = {SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE};
    return (command != 0 && command < 0xF000) ||
           std::find(std::begin(windows), std::end(windows), command) != std::end(windows);
}

class DialogConventionsTest : public AdminWindowTest {};

}  // namespace

TEST_F(DialogConventionsTest, EveryControlHasAnAccessKeyAndRoomForItsTexts)
{
    if (const char* dpi = std::getenv("QYRSAT_TEST_DPI")) {
        const HDC screen = ::GetDC(nullptr);
        ASSERT_EQ(::GetDeviceCaps(screen, LOGPIXELSY), std::atoi(dpi)) << "the display scale was not taken";
        ::ReleaseDC(nullptr, screen);
    }
    for (const DialogCase& dialog : kDialogs)
        ExpectConventions(dialog);

    // The system menu's own items and the window's, together.
    const HMENU menu = ::GetSystemMenu(m_window, FALSE);
    ASSERT_NE(menu, nullptr);
    std::map<char, std::vector<std::string>> keys;
    std::size_t items = 0;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        char text[256] = "";
        const UINT command = ::GetMenuItemID(menu, i);
        if (::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION) <= 0 ||
            !IsOfWindowsOrOurs(command))
            continue;
        ++items;
        EXPECT_NE(AccessKey(text), 0) << text;
        keys[AccessKey(text)].push_back(text);
    }
    EXPECT_GT(items, 6u) << "the window's own items or the system's are missing";
    ExpectKeysSpreadOverTheLetters(keys, items);
}

// Through the real dialog manager, as the message loop hands it the keys.
TEST_F(DialogConventionsTest, AltAndALetterFocusTheControlItNames)
{
    AddServer();
    const struct {
        char letter;
        int id;
    } cases[] = {
        {'v', IDC_SERVERLIST}, {'p', IDC_PORT}, {'w', IDC_PASSWORD}, {'g', IDC_GAMEMODE},
        {'k', IDC_RANKPOINTS}, {'j', IDC_JUMPSLOWDOWN}, {'x', IDC_MAXPLAYERS}, {'r', IDC_ROUNDTIME},
    };
    for (const auto& c : cases) {
        const HWND from = ::GetDlgItem(m_window, IDC_NAME);
        ::SetFocus(from);
        MSG key = {from, WM_SYSCHAR, static_cast<WPARAM>(c.letter), 0x20000000, 0, {0, 0}};
        ::IsDialogMessageA(m_window, &key);
        EXPECT_EQ(::GetDlgCtrlID(::GetFocus()), c.id) << "Alt+" << c.letter;
    }
}

TEST_F(DialogConventionsTest, TheServerListHasTheFocusFirstAndTabReachesStart)
{
    const HWND list = ::GetDlgItem(m_window, IDC_SERVERLIST);
    EXPECT_EQ(::GetFocus(), list);
    AddServer();  // enables Start
    ::SetFocus(list);
    MSG key = {list, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    ::IsDialogMessageA(m_window, &key);
    EXPECT_EQ(::GetDlgCtrlID(::GetFocus()), IDC_START);
}
