// The admin window put together: its construction, whose vtable joins the
// settings side built in admin/ with the frame behaviour of
// server_admin_shell.cpp, and its one message table for both.
#include "admin/server_admin_dlg.h"

#include <commctrl.h>

#include "framework/win_app.h"
#include "history/history_edges_win.h"
#include "res/resource.h"

CServerAdminDlg::CServerAdminDlg(CWnd* parent)
    : CDialog(IDD_SERVERADMIN_DIALOG, parent),
      m_hIcon(CWinApp::LoadIcon(IDR_MAINFRAME)),
      m_hSmallIcon(CWinApp::LoadSmallIcon(IDR_MAINFRAME)),
      m_history(SystemHistoryEdges())
{
}

CServerAdminDlg::~CServerAdminDlg() = default;

MessageTable CServerAdminDlg::GetMessageTable() const
{
    static const MessageEntry entries[] = {
        msg::SysCommand(&CServerAdminDlg::OnSysCommand),
        msg::Paint(&CServerAdminDlg::OnPaint),
        msg::QueryDragIcon(&CServerAdminDlg::OnQueryDragIcon),
        msg::Timer(&CServerAdminDlg::OnTimer),
        msg::Destroy(&CServerAdminDlg::OnDestroy),
        msg::Message(WM_CLOSE, &CServerAdminDlg::OnClose),
        msg::Message(kStartUpMessage, &CServerAdminDlg::OnStartUp),
        msg::Message(kHistoryNotSavedMessage, &CServerAdminDlg::OnHistoryNotSaved),
        msg::Clicked(IDC_START, &CServerAdminDlg::OnStart),
        msg::Clicked(IDC_STOP, &CServerAdminDlg::OnStop),
        msg::Clicked(IDC_DELETE, &CServerAdminDlg::OnDelete),
        msg::Clicked(IDC_NEW, &CServerAdminDlg::OnNew),
        msg::KillFocus(IDC_NAME, &CServerAdminDlg::OnNameKillFocus),
        msg::KillFocus(IDC_PORT, &CServerAdminDlg::OnPortKillFocus),
        msg::KillFocus(IDC_RANKPOINTS, &CServerAdminDlg::OnRankPointsKillFocus),
        msg::Change(IDC_RANKPOINTS, &CServerAdminDlg::OnRankPointsChange),
        msg::KillFocus(IDC_PASSWORD, &CServerAdminDlg::OnPasswordKillFocus),
        msg::SelChange(IDC_GAMEMODE, &CServerAdminDlg::OnGameModeChanged),
        msg::SelChange(IDC_MAP, &CServerAdminDlg::OnMapChanged),
        msg::Clicked(IDC_DEDICATED, &CServerAdminDlg::OnDedicated),
        msg::Clicked(IDC_PURE, &CServerAdminDlg::OnPure),
        msg::Clicked(IDC_MINIMIZE, &CServerAdminDlg::OnMinimize),
        msg::Clicked(IDC_FRIENDLYFIRE, &CServerAdminDlg::OnFriendlyFire),
        msg::Clicked(IDC_RESPAWN, &CServerAdminDlg::OnRespawn),
        msg::SelChange(IDC_PLAYON, &CServerAdminDlg::OnPlayOnChanged),
        msg::SelChange(IDC_MAXPLAYERS, &CServerAdminDlg::OnMaxPlayersChanged),
        msg::SelChange(IDC_MATCHTIME, &CServerAdminDlg::OnMatchTimeChanged),
        msg::SelChange(IDC_FREEZETIME, &CServerAdminDlg::OnFreezeTimeChanged),
        msg::EditChange(IDC_FREEZETIME, &CServerAdminDlg::OnFreezeTimeEditChange),
        msg::SelChange(IDC_ROUNDTIME, &CServerAdminDlg::OnRoundTimeChanged),
        msg::EditChange(IDC_ROUNDTIME, &CServerAdminDlg::OnRoundTimeEditChange),
        msg::Clicked(IDC_IMMEDIATEPLAY, &CServerAdminDlg::OnImmediatePlay),
        msg::ListSelChange(IDC_SERVERLIST, &CServerAdminDlg::OnServerListChanged),
        msg::Clicked(IDC_USEEXTERNIP, &CServerAdminDlg::OnUseExternIp),
        msg::Clicked(IDC_ALLOWSHADOWS, &CServerAdminDlg::OnAllowShadows),
        msg::KillFocus(IDC_DAMAGEMULTIPLIER, &CServerAdminDlg::OnDamageMultiplierKillFocus),
        msg::Clicked(IDC_SPECTATEALL, &CServerAdminDlg::OnSpectateAll),
        msg::Notify(IPN_FIELDCHANGED, IDC_EXTERNIP, &CServerAdminDlg::OnExternIpFieldChanged),
        msg::Clicked(IDC_USEMAPROTATION, &CServerAdminDlg::OnUseMapRotation),
        msg::KillFocus(IDC_ROTATIONFILE, &CServerAdminDlg::OnRotationFileKillFocus),
        msg::SelChange(IDC_MAPTIME, &CServerAdminDlg::OnMapTimeChanged),
        msg::Clicked(IDC_ROTATIONBUTTON, &CServerAdminDlg::OnRotationButton),
        msg::Clicked(IDC_BROWSE, &CServerAdminDlg::OnBrowse),
        msg::Clicked(IDC_HASH, &CServerAdminDlg::OnHash),
        msg::SelChange(IDC_TEAM1SKINSET, &CServerAdminDlg::OnTeam1SkinSetChanged),
        msg::SelChange(IDC_TEAM2SKINSET, &CServerAdminDlg::OnTeam2SkinSetChanged),
        msg::Clicked(IDC_ANTICHEAT, &CServerAdminDlg::OnAntiCheat),
        msg::Clicked(IDC_OPENCHAT, &CServerAdminDlg::OnOpenChat),
        msg::KillFocus(IDC_JUMPSLOWDOWN, &CServerAdminDlg::OnJumpSlowdownKillFocus),
    };
    return MakeMessageTable(entries);
}

// Every change of the table comes from one of these actions: a command, a
// notification, a tick, a system command, closing, the start-up. The open
// set is written once the action is over and the table whole again, not in
// the middle of it; a paint and the like change nothing, so a set that
// cannot be written is not tried again at each of them.
void CServerAdminDlg::OnAfterOutermostMessage(UINT message)
{
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_TIMER:
    case WM_SYSCOMMAND:
    case WM_CLOSE:
    case kStartUpMessage:
        SaveServerSetIfChanged();
        break;
    default:
        break;
    }
}
