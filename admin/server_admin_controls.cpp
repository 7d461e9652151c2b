// Binds the admin window's controls to the members the refresh and the
// handlers work on, and fits the status bar and the server list's items to
// the window's font.
#include "admin/server_admin_dlg.h"

#include "res/resource.h"

void CServerAdminDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_JUMPSLOWDOWN, m_jumpSlowdown);
    DDX_Control(dx, IDC_OPENCHAT, m_openChat);
    DDX_Control(dx, IDC_ANTICHEAT, m_antiCheat);
    DDX_Control(dx, IDC_TEAM2SKINSET, m_team2SkinSet);
    DDX_Control(dx, IDC_TEAM1SKINSET, m_team1SkinSet);
    DDX_Control(dx, IDC_HASH, m_hash);
    DDX_Control(dx, IDC_DAMAGEMULTIPLIER, m_damageMultiplier);
    DDX_Control(dx, IDC_IMMEDIATEPLAY, m_immediatePlay);
    DDX_Control(dx, IDC_RANKPOINTS, m_rankPoints);
    DDX_Control(dx, IDC_ROUNDTIME, m_roundTime);
    DDX_Control(dx, IDC_ALLOWSHADOWS, m_allowShadows);
    DDX_Control(dx, IDC_FREEZETIME, m_freezeTime);
    DDX_Control(dx, IDC_ROTATIONBUTTON, m_rotationButton);
    DDX_Control(dx, IDC_BROWSE, m_browse);
    DDX_Control(dx, IDC_ROTATIONFILE, m_rotationFile);
    DDX_Control(dx, IDC_MAPTIME, m_mapTime);
    DDX_Control(dx, IDC_USEMAPROTATION, m_useMapRotation);
    DDX_Control(dx, IDC_EXTERNIP, m_externIp);
    DDX_Control(dx, IDC_USEEXTERNIP, m_useExternIp);
    DDX_Control(dx, IDC_MATCHTIME, m_matchTime);
    DDX_Control(dx, IDC_DELETE, m_delete);
    DDX_Control(dx, IDC_STOP, m_stop);
    DDX_Control(dx, IDC_START, m_start);
    DDX_Control(dx, IDC_NEW, m_new);
    DDX_Control(dx, IDC_MAP, m_map);
    DDX_Control(dx, IDC_MINIMIZE, m_minimize);
    DDX_Control(dx, IDC_PURE, m_pure);
    DDX_Control(dx, IDC_RESPAWN, m_respawn);
    DDX_Control(dx, IDC_SPECTATEALL, m_spectateAll);
    DDX_Control(dx, IDC_DEDICATED, m_dedicated);
    DDX_Control(dx, IDC_FRIENDLYFIRE, m_friendlyFire);
    DDX_Control(dx, IDC_MAXPLAYERS, m_maxPlayers);
    DDX_Control(dx, IDC_PLAYON, m_playOn);
    DDX_Control(dx, IDC_GAMEMODE, m_gameMode);
    DDX_Control(dx, IDC_PORT, m_port);
    DDX_Control(dx, IDC_NAME, m_name);
    DDX_Control(dx, IDC_PASSWORD, m_password);
    DDX_Control(dx, IDC_SERVERLIST, m_serverList);
    DDX_Control(dx, IDC_STATUSBAR, m_statusBar);
}

// The bar takes its height from its font and lies below the settings: the
// window grows by that height, and the bar moves to its new bottom.
void CServerAdminDlg::FitStatusBar()
{
    RECT bar = {};
    ::GetWindowRect(m_statusBar.GetSafeHwnd(), &bar);
    RECT window = {};
    ::GetWindowRect(m_hWnd, &window);
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, window.right - window.left, window.bottom - window.top + bar.bottom - bar.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A status bar places itself at its parent's bottom when told of a new size.
void CServerAdminDlg::OnSize()
{
    m_statusBar.SendMessage(WM_SIZE);
}

// As high as a line of the list's font, which the dialog manager chose for
// the display's scale.
void CServerAdminDlg::FitServerListItems() const
{
    const HWND list = m_serverList.GetSafeHwnd();
    const HDC dc = ::GetDC(list);
    const HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(m_serverList.SendMessage(WM_GETFONT)));
    TEXTMETRICA font = {};
    ::GetTextMetricsA(dc, &font);
    ::SelectObject(dc, old);
    ::ReleaseDC(list, dc);
    m_serverList.SetItemHeight(font.tmHeight);
}
