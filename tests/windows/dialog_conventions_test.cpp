// What a Windows operator expects of every dialog and of the system menu:
// each control reached by an access key, on its own text or on the label
// just before it, and every text whole in its control at the display scale
// of the run. The ctest entry runs this program at 96, 144 and 192 DPI
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

struct DialogCase {
    UINT templateId;
    int runTimeTextControl;  // a control whose texts the program sets
    std::vector<UINT> runTimeTexts;
};

const DialogCase kDialogs[] = {
    {IDD_ABOUTBOX, 0, {}},
    {IDD_SERVERADMIN_DIALOG, IDC_ROTATIONBUTTON, {IDS_NEWROTATION, IDS_EDITROTATION}},
    {IDD_MAPROTATION, 0, {}},
    {IDD_SERVERHISTORY, 0, {}},
};

// The letter after a single '&', lower case; 0 when there is none.
char AccessKey(const std::string& text)
{
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '&' && text[i + 1] != '&')
            return static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1])));
        i += text[i] == '&' ? 1 : 0;
    }
    return 0;
}

// More focusable controls than letters cannot each have a letter of their
// own; then no letter may lead to more controls than that forces.
void ExpectKeysSpread(const std::map<char, std::vector<std::string>>& keys, std::size_t holders)
{
    for (const auto& [key, texts] : keys) {
        std::string names;
        for (const std::string& text : texts)
            names += " \"" + text + "\"";
        EXPECT_LE(texts.size(), (holders + 25) / 26) << "Alt+" << key << " leads to" << names;
    }
}

bool IsClass(HWND window, const char* name)
{
    char found[64] = "";
    ::GetClassNameA(window, found, sizeof found);
    return lstrcmpiA(found, name) == 0;
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

std::string TextOf(HWND window)
{
    char text[256] = "";
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

// The room a text takes in the control's own font: wrapped to `width` as a
// label wraps, or on one line; and the font's average character width.
RECT TextRect(HWND control, const std::string& text, int width, UINT format, int* averageChar = nullptr)
{
    const HDC dc = ::GetDC(control);
    const HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT rect = {0, 0, width, 0};
    ::DrawTextA(dc, text.c_str(), -1, &rect, DT_CALCRECT | format);
    TEXTMETRICA metrics = {};
    ::GetTextMetricsA(dc, &metrics);
    if (averageChar != nullptr)
        *averageChar = metrics.tmAveCharWidth;
    ::SelectObject(dc, old);
    ::ReleaseDC(control, dc);
    return rect;
}

// Labels wrap as they draw; a button keeps one line inside its frame, a
// check box beside its box; a drop-down list shows an item beside its arrow.
void ExpectTextFits(HWND control, const std::string& text)
{
    RECT room = {};
    ::GetClientRect(control, &room);
    const LONG style = StyleOf(control);
    if (IsTextLabel(control)) {
        const UINT prefix = style & SS_NOPREFIX ? DT_NOPREFIX : 0;
        const RECT taken = TextRect(control, text, room.right, DT_WORDBREAK | prefix);
        EXPECT_TRUE(taken.right <= room.right && taken.bottom <= room.bottom)
            << "\"" << text << "\" is cut: " << TextRect(control, text, 0, DT_SINGLELINE).right << " pixels in "
            << room.right << "x" << room.bottom;
    } else if (IsClass(control, "Button") && (style & BS_TYPEMASK) != BS_GROUPBOX) {
        int averageChar = 0;
        const int width = TextRect(control, text, 0, DT_SINGLELINE, &averageChar).right;
        const LONG type = style & BS_TYPEMASK;
        const int frame = type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON
                              ? 2 * averageChar
                              : ::GetSystemMetrics(SM_CXMENUCHECK) + averageChar;
        EXPECT_LE(width + frame, room.right) << "\"" << text << "\" is cut in its button";
    } else if (IsClass(control, "ComboBox")) {
        COMBOBOXINFO parts = {};
        parts.cbSize = sizeof parts;
        ASSERT_TRUE(::GetComboBoxInfo(control, &parts));
        for (int i = 0; i < ::SendMessageA(control, CB_GETCOUNT, 0, 0); ++i) {
            char item[256] = "";
            ::SendMessageA(control, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item));
            const int width = TextRect(control, item, 0, DT_SINGLELINE | DT_NOPREFIX).right;
            EXPECT_LE(width, parts.rcItem.right - parts.rcItem.left) << "\"" << item << "\" is cut in its list";
        }
    }
}

// Enter and Esc are the keys of OK and Cancel. Buttons and check boxes
// carry their own key; other controls take theirs, and their name for
// screen readers, from the label just before them.
void ExpectConventions(const DialogCase& dialog)
{
    SCOPED_TRACE("dialog template " + std::to_string(dialog.templateId));
    CDialog window(dialog.templateId);
    ASSERT_TRUE(window.Create());
    std::map<char, std::vector<std::string>> keys;
    std::size_t focusable = 0;
    HWND previous = nullptr;
    for (HWND control = ::GetWindow(window.GetSafeHwnd(), GW_CHILD); control != nullptr;
         previous = control, control = ::GetWindow(control, GW_HWNDNEXT)) {
        const int id = ::GetDlgCtrlID(control);
        std::vector<std::string> texts = {TextOf(control)};
        if (id == dialog.runTimeTextControl) {
            texts.clear();
            for (UINT text : dialog.runTimeTexts)
                texts.push_back(LoadResourceString(text));
        }
        for (const std::string& text : texts)
            ExpectTextFits(control, text);
        if (!(StyleOf(control) & WS_TABSTOP) || id == IDOK || id == IDCANCEL)
            continue;
        ++focusable;
        if (!IsClass(control, "Button")) {
            ASSERT_TRUE(previous != nullptr && IsTextLabel(previous)) << "control " << id << " has no label before it";
            texts = {TextOf(previous)};
        }
        for (const std::string& text : texts)
            EXPECT_TRUE(AccessKey(text) != 0 && AccessKey(text) == AccessKey(texts.front())) << "\"" << text << "\"";
        keys[AccessKey(texts.front())].push_back(texts.front());
    }
    ExpectKeysSpread(keys, focusable);
}

// The items Windows puts in every system menu, and the window's own, whose
// commands lie below the system's; not what else the system underneath
// adds (Wine's own About item).
bool IsOfWindowsOrOurs(UINT command)
{
    const UINT windows[] = {SC_RESTORE, SC_MOVE, SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_CLOSE};
    return (command != 0 && command < 0xF000) ||
           std::find(std::begin(windows), std::end(windows), command) != std::end(windows);
}

using DialogConventionsTest = AdminWindowTest;

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

    const HMENU menu = ::GetSystemMenu(m_window, FALSE);
    std::map<char, std::vector<std::string>> keys;
    std::size_t items = 0;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        char text[256] = "";
        ::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        if (!IsOfWindowsOrOurs(::GetMenuItemID(menu, i)))
            continue;
        ++items;
        EXPECT_NE(AccessKey(text), 0) << text;
        keys[AccessKey(text)].push_back(text);
    }
    EXPECT_GT(items, 6u) << "the window's own items or the system's are missing";
    ExpectKeysSpread(keys, items);
}

// Through the real dialog manager, as the message loop hands it the keys.
TEST_F(DialogConventionsTest, KeysMoveTheFocusAsTheyName)
{
    const HWND list = ::GetDlgItem(m_window, IDC_SERVERLIST);
    EXPECT_EQ(::GetFocus(), list) << "the server list has the focus first";
    AddServer();  // enables the rest
    const struct {
        UINT message;
        WPARAM key;
        int from, to;
    } cases[] = {
        {WM_KEYDOWN, VK_TAB, IDC_SERVERLIST, IDC_START}, {WM_SYSCHAR, 'v', IDC_NAME, IDC_SERVERLIST},
        {WM_SYSCHAR, 'p', IDC_NAME, IDC_PORT},           {WM_SYSCHAR, 'g', IDC_NAME, IDC_GAMEMODE},
        {WM_SYSCHAR, 'k', IDC_NAME, IDC_RANKPOINTS},     {WM_SYSCHAR, 'x', IDC_NAME, IDC_MAXPLAYERS},
    };
    for (const auto& c : cases) {
        const HWND from = ::GetDlgItem(m_window, c.from);
        ::SetFocus(from);
        MSG key = {from, c.message, c.key, c.message == WM_SYSCHAR ? 0x20000000 : 0, 0, {0, 0}};
        ::IsDialogMessageA(m_window, &key);
        EXPECT_EQ(::GetDlgCtrlID(::GetFocus()), c.to) << "key " << c.key;
    }
}
