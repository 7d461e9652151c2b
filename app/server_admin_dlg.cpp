// The admin window put together: its construction, whose vtable joins the
// settings side built in admin/ with the frame behaviour of
// server_admin_shell.cpp and the tool beside it, its one message table for
// both, and its commands.
#include "admin/server_admin_dlg.h"

#include <commctrl.h>

#include <utility>

#include "app/about_dlg.h"
#include "app/server_admin_tool.h"
#include "framework/win_app.h"
#include "res/resource.h"

CServerAdminDlg::CServerAdminDlg(CWnd* parent)
    : CDialog(IDD_SERVERADMIN_DIALOG, parent),
      m_hIcon(CWinApp::LoadIcon(IDR_MAINFRAME)),
      m_hSmallIcon(CWinApp::LoadSmallIcon(IDR_MAINFRAME)),
      m_tool(std::make_unique<ServerAdminTool>(*this)),
      m_runFacts(m_tool->RunFacts()),
      m_commands(Commands())
{
}

CServerAdminDlg::~CServerAdminDlg() = default;

// One row per command, in the order the menus list them. A command that a
// button gives as well reads, and is available, as that button is; the
// others are always available.
std::vector<Command> CServerAdminDlg::Commands()
{
    ServerAdminTool& tool = *m_tool;
    return {
        {IDM_ABOUTBOX, IDS_ABOUTBOX, {}, IDM_HELP_MENU, Separator::Before, SystemMenu::Lists,
         [] { CAboutDlg().DoModal(); }},
        {IDM_OPENSERVERSET, IDS_OPENSERVERSET, {FCONTROL, 'O'}, IDM_FILE_MENU, Separator::Before, SystemMenu::Lists,
         [&tool] { tool.OpenServerSet(); }},
        {IDM_SAVESERVERSETAS, IDS_SAVESERVERSETAS, {FCONTROL | FSHIFT, 'S'}, IDM_FILE_MENU, Separator::None,
         SystemMenu::Lists, [&tool] { tool.SaveServerSetAs(); }},
        // The close box's way: the question about running servers first.
        {IDM_EXIT, IDS_EXIT, {FALT, VK_F4}, IDM_FILE_MENU, Separator::Before, SystemMenu::Omits,
         [this] { SendMessage(WM_CLOSE); }},
        {IDC_NEW, 0, {FCONTROL, 'N'}, IDM_SERVER_MENU, Separator::None, SystemMenu::Omits, [this] { OnNew(); }},
        {IDC_START, 0, {}, IDM_SERVER_MENU, Separator::None, SystemMenu::Omits, [this] { OnStart(); }},
        {IDC_STOP, 0, {}, IDM_SERVER_MENU, Separator::None, SystemMenu::Omits, [this] { OnStop(); }},
        {IDC_DELETE, 0, {}, IDM_SERVER_MENU, Separator::None, SystemMenu::Omits, [this] { OnDelete(); }},
        {IDM_SERVERHISTORY, IDS_SERVERHISTORY, {FCONTROL, 'H'}, IDM_SERVER_MENU, Separator::Before,
         SystemMenu::Lists, [&tool] { tool.ShowServerHistory(); }},
        {IDM_WATCHDOG, IDS_WATCHDOG, {}, IDM_OPTIONS_MENU, Separator::Before, SystemMenu::Lists,
         [&tool] { tool.ShowWatchdog(); }},
        {IDM_ALERTS, IDS_ALERTS, {}, IDM_OPTIONS_MENU, Separator::None, SystemMenu::Lists,
         [&tool] { tool.ShowAlerts(); }},
    };
}

void CServerAdminDlg::SetStartUpArguments(std::vector<std::string> arguments)
{
    m_tool->SetStartUpArguments(std::move(arguments));
}

MessageTable CServerAdminDlg::GetMessageTable() const
{
    static const MessageEntry entries[] = {
        msg::Paint(&CServerAdminDlg::OnPaint),
        msg::QueryDragIcon(&CServerAdminDlg::OnQueryDragIcon),
        msg::Timer(&CServerAdminDlg::OnTimer),
        msg::Destroy(&CServerAdminDlg::OnDestroy),
        msg::Message(WM_CLOSE, &CServerAdminDlg::OnClose),
        msg::Message(kStartUpMessage, &CServerAdminDlg::OnStartUp),
        msg::Message(kHistoryNotSavedMessage, &CServerAdminDlg::OnHistoryNotSaved),
        msg::Message(kAlertNotSentMessage, &CServerAdminDlg::OnAlertNotSent),
        msg::Size(&CServerAdminDlg::OnSize),
        msg::DrawItem(IDC_SERVERLIST, &CServerAdminDlg::OnDrawServerItem),
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
// the middle of it. Painting, drawing the list's items, sizing and opening
// a menu change nothing, so a set that cannot be written is not tried
// again at each of them.
void CServerAdminDlg::OnAfterOutermostMessage(UINT message)
{
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_TIMER:
    case WM_SYSCOMMAND:
    case WM_CLOSE:
    case kStartUpMessage:
        m_tool->SaveServerSetIfChanged();
        break;
    default:
        break;
    }
}

void CServerAdminDlg::OnStartUp()
{
    m_tool->OpenStartUpSet();
}

void CServerAdminDlg::OnHistoryNotSaved()
{
    m_tool->ShowHistoryNotSaved();
}

void CServerAdminDlg::OnAlertNotSent()
{
    m_tool->RecordAlertsNotSent();
}
