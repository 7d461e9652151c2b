// The admin window's frame behaviour: start-up, icon, the watchdog timer,
// and closing with the question about servers that are still running. The
// menus come from the command table (server_admin_dlg.cpp).
#include <cstdio>

#include "admin/server_admin_dlg.h"
#include "app/server_admin_tool.h"
#include "framework/paint_dc.h"
#include "res/resource.h"
#include "servers/game_folder.h"
#include "servers/server_manager.h"

namespace {
// Its value lives with the resource ids, where the programs that drive the
// window take it from.
constexpr UINT_PTR kWatchdogTimerId = IDT_WATCHDOG;
constexpr UINT kWatchdogPeriodMs = kWatchdogTickSeconds * 1000;

int CountRunningServers()
{
    return g_serverManager != nullptr ? g_serverManager->CountRunning() : 0;
}
}  // namespace

// The base lists the commands in the menu bar and the system menu.
BOOL CServerAdminDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    SetIcon(m_hIcon, true);
    SetIcon(m_hSmallIcon, false);

    // Before the first refresh lists maps from it, and before a file
    // dialog can move the working directory away from it.
    RecordStartFolder();
    CreateServerManager();
    m_tool->Initialise(g_serverManager);
    timerId = SetTimer(kWatchdogTimerId, kWatchdogPeriodMs);
    FitStatusBar();
    FitServerListItems();
    ShowRotationButton("");
    RefreshFromCurrent();
    if (m_tool->HasStartUpArguments())
        ::PostMessageA(m_hWnd, kStartUpMessage, 0, 0);
    return TRUE;
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
// window's own timer. It runs at every tick, also while no server is meant
// to run, which then finds nothing to relaunch: the daily restart's clock
// sees every tick, and a server it stopped is started again.
void CServerAdminDlg::OnTimer(UINT_PTR id)
{
    if (id == timerId && g_serverManager != nullptr)
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
    m_tool->Close();
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
        m_tool->BeginClosing();
        if (answer == IDYES)
            g_serverManager->StopAllServers();
        else
            m_tool->RecordServersLeftRunning();
    }
    // The open set keeps the servers left running as running, so that the
    // next start takes them over, and those just stopped as stopped.
    m_tool->SaveServerSetIfChanged();
    CDialog::OnCancel();
}
