// What a Windows operator expects of every dialog and of the menus: each
// control and menu item reached by an access key, on its own text or on the
// label just before it, and every text whole at the scale dpi-run.sh runs
// this at.
#include <cctype>
#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "framework/dialog.h"
#include "framework/win_app.h"
#include "res/resource.h"
#include "tests/windows/admin_window_fixture.h"

namespace {

// The letter after a single '&', lower case; 0 when there is none.
char AccessKey(const std::string& text)
{
    for (std::size_t i = 0; i + 1 < text.size(); i += text[i] == '&' ? 2 : 1)
        if (text[i] == '&' && text[i + 1] != '&')
            return static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1])));
    return 0;
}

// The texts of one window's focusable controls or menu items. More of them
// than letters cannot each have a letter of their own; then no letter may
// lead to more of them than that forces.
void ExpectAccessKeys(const std::vector<std::string>& texts)
{
    std::map<char, std::vector<std::string>> holders;
    for (const std::string& text : texts) {
        EXPECT_NE(AccessKey(text), 0) << "\"" << text << "\" has no access key";
        holders[AccessKey(text)].push_back(text);
    }
    for (const auto& [key, holding] : holders)
        EXPECT_LE(holding.size(), (texts.size() + 25) / 26) << "Alt+" << key << ": " << testing::PrintToString(holding);
}

bool IsClass(HWND window, const char* name)
{
    char found[64] = "";
    ::GetClassNameA(window, found, sizeof found);
    return lstrcmpiA(found, name) == 0;
}

bool IsTextLabel(HWND window)
{
    const LONG type = ::GetWindowLongA(window, GWL_STYLE) & SS_TYPEMASK;
    return IsClass(window, "Static") && (type == SS_LEFT || type == SS_RIGHT || type == SS_CENTER);
}

// In the control's own font: a label wraps its text as it draws it; a button
// keeps it on one line inside its frame, a check box beside its box; a
// drop-down list shows each item beside its arrow. Others show no text.
void ExpectTextsFit(HWND control, std::vector<std::string> texts)
{
    RECT room = {};
    ::GetClientRect(control, &room);
    const LONG style = ::GetWindowLongA(control, GWL_STYLE);
    const LONG buttonType = style & BS_TYPEMASK;
    const HDC dc = ::GetDC(control);
    const HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageA(control, WM_GETFONT, 0, 0)));
    TEXTMETRICA font = {};
    ::GetTextMetricsA(dc, &font);
    COMBOBOXINFO list = {};
    list.cbSize = sizeof list;
    UINT format = DT_SINGLELINE;
    if (IsTextLabel(control)) {
        format = DT_WORDBREAK | (style & SS_NOPREFIX ? DT_NOPREFIX : 0);
    } else if (IsClass(control, "Button") && buttonType != BS_GROUPBOX) {
        const bool push = buttonType == BS_PUSHBUTTON || buttonType == BS_DEFPUSHBUTTON;
        room.right -= font.tmAveCharWidth + (push ? font.tmAveCharWidth : ::GetSystemMetrics(SM_CXMENUCHECK));
    } else if (IsClass(control, "ComboBox")) {
        EXPECT_TRUE(::GetComboBoxInfo(control, &list));
        room = {0, 0, list.rcItem.right - list.rcItem.left, list.rcItem.bottom - list.rcItem.top};
        format |= DT_NOPREFIX;
        texts.clear();
        for (int i = 0; i < ItemCount(::GetParent(control), ::GetDlgCtrlID(control)); ++i)
            texts.push_back(ItemText(::GetParent(control), ::GetDlgCtrlID(control), i));
    } else {
        texts.clear();
    }
    for (const std::string& text : texts) {
        RECT taken = {0, 0, room.right, 0};
        ::DrawTextA(dc, text.c_str(), -1, &taken, DT_CALCRECT | format);
        EXPECT_TRUE(taken.right <= room.right && taken.bottom <= room.bottom)
            << "\"" << text << "\" is cut: " << taken.right << "x" << taken.bottom << " in " << room.right << "x"
            << room.bottom;
    }
    ::SelectObject(dc, old);
    ::ReleaseDC(control, dc);
}

// Enter and Esc are the keys of OK and Cancel. Buttons and check boxes
// carry their own key; other controls take theirs, and their name for
// screen readers, from the label just before them.
void ExpectConventions(UINT templateId)
{
    SCOPED_TRACE("dialog template " + std::to_string(templateId));
    CDialog window(templateId);
    ASSERT_TRUE(window.Create());
    std::vector<std::string> keyTexts;
    HWND previous = nullptr;
    for (HWND control = ::GetWindow(window.GetSafeHwnd(), GW_CHILD); control != nullptr;
         previous = control, control = ::GetWindow(control, GW_HWNDNEXT)) {
        const int id = ::GetDlgCtrlID(control);
        std::vector<std::string> texts = {WindowText(control)};
        if (id == IDC_ROTATIONBUTTON)  // the program names it after what it opens
            texts = {LoadResourceString(IDS_NEWROTATION), LoadResourceString(IDS_EDITROTATION)};
        ExpectTextsFit(control, texts);
        if (!(::GetWindowLongA(control, GWL_STYLE) & WS_TABSTOP) || id == IDOK || id == IDCANCEL)
            continue;
        if (!IsClass(control, "Button")) {
            ASSERT_TRUE(previous != nullptr && IsTextLabel(previous)) << "control " << id << " has no label before it";
            texts = {WindowText(previous)};
        }
        keyTexts.push_back(texts.front());
        for (const std::string& text : texts)
            EXPECT_EQ(AccessKey(text), AccessKey(texts.front())) << "\"" << text << "\"";
    }
    ExpectAccessKeys(keyTexts);
}

std::string MenuText(HMENU menu, int position)
{
    char text[256] = "";
    ::GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
}

using DialogConventionsTest = AdminWindowTest;

}  // namespace

TEST_F(DialogConventionsTest, EveryControlHasAnAccessKeyAndRoomForItsTexts)
{
    if (const char* dpi = std::getenv("QYRSAT_TEST_DPI")) {
        const HDC screen = ::GetDC(nullptr);
        EXPECT_EQ(::GetDeviceCaps(screen, LOGPIXELSY), std::atoi(dpi)) << "the display scale was not taken";
        ::ReleaseDC(nullptr, screen);
    }
    for (UINT templateId :
         {IDD_ABOUTBOX, IDD_SERVERADMIN_DIALOG, IDD_MAPROTATION, IDD_SERVERHISTORY, IDD_WATCHDOG, IDD_ALERTS})
        ExpectConventions(templateId);

    // The window's own items, whose commands lie below the system's, and
    // those Windows puts in every system menu, up to Restore; not what else
    // the system underneath adds (Wine's own About item, above Restore).
    const HMENU menu = ::GetSystemMenu(m_window, FALSE);
    std::vector<std::string> keyTexts;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        if (::GetMenuItemID(menu, i) != 0 && ::GetMenuItemID(menu, i) <= SC_RESTORE)
            keyTexts.push_back(MenuText(menu, i));
    }
    EXPECT_GT(keyTexts.size(), 6u) << "the window's own items or the system's are missing";
    ExpectAccessKeys(keyTexts);

    // The menu bar in one line, every title and every item of a popup with
    // a letter of its own in its menu.
    const HMENU bar = ::GetMenu(m_window);
    std::vector<std::string> titles;
    RECT first = {};
    ::GetMenuItemRect(m_window, bar, 0, &first);
    for (int i = 0; i < ::GetMenuItemCount(bar); ++i) {
        titles.push_back(MenuText(bar, i));
        RECT title = {};
        ::GetMenuItemRect(m_window, bar, static_cast<UINT>(i), &title);
        EXPECT_EQ(title.top, first.top) << "\"" << titles.back() << "\" is on a line of its own";
        const HMENU popup = ::GetSubMenu(bar, i);
        std::vector<std::string> items;
        for (int j = 0; j < ::GetMenuItemCount(popup); ++j) {
            if (::GetMenuItemID(popup, j) != 0)
                items.push_back(MenuText(popup, j));
        }
        EXPECT_FALSE(items.empty()) << titles.back();
        ExpectAccessKeys(items);
    }
    EXPECT_GE(titles.size(), 3u) << "the menu bar's titles are missing";
    ExpectAccessKeys(titles);
}

// Through the real dialog manager, as the message loop hands it the keys;
// lParam bit 29 says Alt is down.
TEST_F(DialogConventionsTest, KeysMoveTheFocusAsTheyName)
{
    const HWND list = ::GetDlgItem(m_window, IDC_SERVERLIST);
    EXPECT_EQ(::GetFocus(), list) << "the server list has the focus first";
    AddServer();  // enables the rest
    const HWND name = ::GetDlgItem(m_window, IDC_NAME);
    const std::pair<MSG, int> cases[] = {
        {{list, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}}, IDC_START},
        {{name, WM_SYSCHAR, 'v', 0x20000000, 0, {0, 0}}, IDC_SERVERLIST},
        {{name, WM_SYSCHAR, 'p', 0x20000000, 0, {0, 0}}, IDC_PORT},
        {{name, WM_SYSCHAR, 'g', 0x20000000, 0, {0, 0}}, IDC_GAMEMODE},
        {{name, WM_SYSCHAR, 'k', 0x20000000, 0, {0, 0}}, IDC_RANKPOINTS},
        {{name, WM_SYSCHAR, 'x', 0x20000000, 0, {0, 0}}, IDC_MAXPLAYERS},
    };
    for (auto [key, to] : cases) {
        ::SetFocus(key.hwnd);
        ::IsDialogMessageA(m_window, &key);
        EXPECT_EQ(::GetDlgCtrlID(::GetFocus()), to) << "key " << key.wParam;
    }
}
