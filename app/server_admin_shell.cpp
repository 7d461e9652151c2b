// The admin window's frame behaviour: start-up, system menu and About box,
// icon, the watchdog timer, and closing with the question about servers
// that are still running.
#include <cstdio>

#include "admin/server_admin_dlg.h"
#include "app/about_dlg.h"
#include "framework/menu.h"
#include "framework/paint_dc.h"
#include "framework/win_app.h"
#include "res/resource.h"
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
}  // namespace

BOOL CServerAdminDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    const CMenu systemMenu = GetSystemMenu(false);
    if (systemMenu.GetSafeHmenu() != nullptr) {
        const std::string aboutItem = LoadResourceString(IDS_ABOUTBOX);
        if (!aboutItem.empty()) {
            systemMenu.AppendMenu(MF_SEPARATOR);
            systemMenu.AppendMenu(MF_STRING, IDM_ABOUTBOX, aboutItem.c_str());
        }
    }

    SetIcon(m_hIcon, true);
    SetIcon(m_hIcon, false);

    CreateServerManager();
    timerId = SetTimer(kWatchdogTimerId, kWatchdogPeriodMs);
    RefreshFromCurrent();
    return TRUE;
}

void CServerAdminDlg::OnSysCommand(UINT id, LPARAM)
{
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
    } else {
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

// Servers still running are left running: the tool only forgets them.
void CServerAdminDlg::OnDestroy()
{
    KillTimer(timerId);
    DestroyServerManager();
}

// Enter in the window must neither close it nor act.
void CServerAdminDlg::OnOK() {}

void CServerAdminDlg::OnCancel()
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
    }
    CDialog::OnCancel();
}
