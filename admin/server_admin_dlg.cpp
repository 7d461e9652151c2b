#include "admin/server_admin_dlg.h"

#include <commctrl.h>

#include "framework/win_app.h"
#include "res/resource.h"

CServerAdminDlg::CServerAdminDlg(CWnd* parent)
    : CDialog(IDD_SERVERADMIN_DIALOG, parent), m_hIcon(CWinApp::LoadIcon(IDR_MAINFRAME))
{
}

CServerAdminDlg::~CServerAdminDlg() = default;

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
}

MessageTable CServerAdminDlg::GetMessageTable() const
{
    static const MessageEntry entries[] = {
        msg::SysCommand(&CServerAdminDlg::OnSysCommand),
        msg::Paint(&CServerAdminDlg::OnPaint),
        msg::QueryDragIcon(&CServerAdminDlg::OnQueryDragIcon),
        msg::Timer(&CServerAdminDlg::OnTimer),
        msg::Destroy(&CServerAdminDlg::OnDestroy),
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
