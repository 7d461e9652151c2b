// The admin window's frame behaviour: start-up, system menu and About box,
// icon, the watchdog timer, and closing with the question about servers
// that are still running.
#include <cstdio>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "admin/server_admin_dlg.h"
#include "app/about_dlg.h"
#include "framework/menu.h"
#include "framework/paint_dc.h"
#include "framework/win_app.h"
#include "res/resource.h"
#include "servers/game_folder.h"
#include "servers/server_manager.h"

namespace {
// Its value lives with the resource ids, where the programs that drive the
// window take it from.
constexpr UINT_PTR kWatchdogTimerId = IDT_WATCHDOG;
constexpr UINT kWatchdogPeriodMs = 30000;

int CountRunningServers()
{
    return g_serverManager != nullptr ? g_serverManager->CountRunning() : 0;
}

// A separator, then one item per string; nothing when a string is missing.
void AppendSystemItems(const CMenu& menu, std::initializer_list<std::pair<UINT, UINT>> commandsAndStrings)
{
    std::vector<std::pair<UINT, std::string>> items;
    for (const auto& [command, stringId] : commandsAndStrings) {
        items.emplace_back(command, LoadResourceString(stringId));
        if (items.back().second.empty())
            return;
    }
    menu.AppendMenu(MF_SEPARATOR);
    for (const auto& [command, text] : items)
        menu.AppendMenu(MF_STRING, command, text.c_str());
}
}  // namespace

BOOL CServerAdminDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    const CMenu systemMenu = GetSystemMenu(false);
    if (systemMenu.GetSafeHmenu() != nullptr) {
        AppendSystemItems(systemMenu, {{IDM_ABOUTBOX, IDS_ABOUTBOX}});
        AppendSystemItems(systemMenu, {{IDM_OPENSERVERSET, IDS_OPENSERVERSET},
                                       {IDM_SAVESERVERSETAS, IDS_SAVESERVERSETAS},
                                       {IDM_SERVERHISTORY, IDS_SERVERHISTORY}});
    }

    SetIcon(m_hIcon, true);
    SetIcon(m_hSmallIcon, false);

    // Before the first refresh lists maps from it, and before a file
    // dialog can move the working directory away from it.
    RecordStartFolder();
    CreateServerManager();
    ConnectHistory();
    timerId = SetTimer(kWatchdogTimerId, kWatchdogPeriodMs);
    ShowRotationButton("");
    RefreshFromCurrent();
    m_caption = GetWindowText();
    if (!m_startUpArguments.empty())
        ::PostMessageA(m_hWnd, kStartUpMessage, 0, 0);
    return TRUE;
}

void CServerAdminDlg::OnSysCommand(UINT id, LPARAM)
{
    switch (id & 0xFFF0) {
    case IDM_ABOUTBOX: {
        CAboutDlg about;
        about.DoModal();
        break;
    }
    case IDM_OPENSERVERSET:
        OnOpenServerSet();
        break;
    case IDM_SAVESERVERSETAS:
        OnSaveServerSetAs();
        break;
    case IDM_SERVERHISTORY:
        OnServerHistory();
        break;
    default:
        Default();
    }
}

// Minimised, the window draws its icon centred in what is left of it.
void CServerAdminDlg::OnPaint()
{
    if (!IsIconic()) {
        Default();
        return;
    }
    const CPaintDC dc(*this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const int iconWidth = ::GetSystemMetrics(SM_CXICON);
    const int iconHeight = ::GetSystemMetrics(SM_CYICON);
    const RECT client = GetClientRect();
    const int x = (client.right - client.left - iconWidth + 1) / 2;
    const int y = (client.bottom - client.top - iconHeight + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CServerAdminDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}

// Every tick refreshes the window; the watchdog pass runs only for the
// window's own timer and only while some server is meant to run.
void CServerAdminDlg::OnTimer(UINT_PTR id)
{
    if (id == timerId && CountRunningServers() > 0)
        g_serverManager->RestartExitedServers();
    RefreshFromCurrent();
    Default();
}

// Servers still running are left running: the tool only forgets them. The
// open set keeps what it last got, its log every line of this run, and
// another copy may open it now.
void CServerAdminDlg::OnDestroy()
{
    KillTimer(timerId);
    DestroyServerManager();
    m_history.FinishWriting();
    m_serverSet.Close();
}

// Enter in the window must neither close it nor act.
void CServerAdminDlg::OnOK() {}

// Nor must Esc: one key press would throw away every server no set keeps.
void CServerAdminDlg::OnCancel() {}

// The close box, Alt+F4 and Close in the system menu.
void CServerAdminDlg::OnClose()
{
    const int running = CountRunningServers();
    if (running > 0) {
        char question[256];
        std::snprintf(question, sizeof question,
                      "You still have %d server(s) running. Do you want to close these before exiting?", running);
        const int answer = MessageBox(question, "Running server(s)", MB_YESNOCANCEL);
        if (answer == IDCANCEL)
            return;
        if (answer == IDYES)
            g_serverManager->StopAllServers();
        else
            RecordServersLeftRunning();
    }
    // The open set keeps the servers left running as running, so that the
    // next start takes them over, and those just stopped as stopped.
    SaveServerSetIfChanged();
    CDialog::OnCancel();
}
