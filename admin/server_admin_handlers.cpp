// Controls to record: each control writes its setting into the current
// server the moment it reports a change. There is no apply step.
#include "admin/server_admin_dlg.h"

#include <commctrl.h>

#include <string>

#include "admin/number_text.h"
#include "content/map_catalogue.h"
#include "framework/file_dialog.h"
#include "rotation/map_rotation_dlg.h"
#include "servers/server_manager.h"

namespace {

ServerConfig* CurrentServer()
{
    return g_serverManager != nullptr ? g_serverManager->Current() : nullptr;
}

std::uint8_t CheckOf(const CButton& box)
{
    return box.GetCheck() == BST_CHECKED ? 1 : 0;
}

int LeadingNumberOf(const CComboBox& list)
{
    const int selected = list.GetCurSel();
    return ItemNumber(selected, list.GetLBText(selected).c_str());
}

// Number edits are converted from their first 15 characters only.
constexpr int kNumberTextSize = 16;

int EditInt(const CEdit& edit)
{
    return TextToInt(edit.TakeText().substr(0, kNumberTextSize - 1).c_str());
}

float EditFloat(const CEdit& edit)
{
    return TextToFloat(edit.TakeText().substr(0, kNumberTextSize - 1).c_str());
}

void StoreCheck(const CButton& box, std::uint8_t ServerConfig::*field)
{
    if (ServerConfig* server = CurrentServer())
        server->*field = CheckOf(box);
}

void StoreLeadingNumber(const CComboBox& list, std::int32_t ServerConfig::*field)
{
    if (ServerConfig* server = CurrentServer())
        server->*field = LeadingNumberOf(list);
}

void StoreEditInt(const CEdit& edit, std::int32_t ServerConfig::*field)
{
    if (ServerConfig* server = CurrentServer())
        server->*field = EditInt(edit);
}

void StoreEditFloat(const CEdit& edit, float ServerConfig::*field)
{
    if (ServerConfig* server = CurrentServer())
        server->*field = EditFloat(edit);
}

void StoreEditText(const CEdit& edit, char (ServerConfig::*field)[kTextSize])
{
    if (ServerConfig* server = CurrentServer())
        CopyText(server->*field, edit.TakeText().c_str());
}

// A skin-set list without a selection leaves the field as it was.
void StoreSkinSet(const CComboBox& list, std::int32_t ServerConfig::*field)
{
    ServerConfig* server = CurrentServer();
    const int selected = list.GetCurSel();
    if (server != nullptr && selected >= 0 && selected <= 2)
        server->*field = selected;
}

}  // namespace

void CServerAdminDlg::OnNew()
{
    if (g_serverManager == nullptr || !g_serverManager->AddServer())
        return;
    const int position = m_serverList.AddString(g_serverManager->Current()->name);
    m_serverList.SetCurSel(position);
    RefreshFromCurrent();
}

void CServerAdminDlg::OnServerListChanged()
{
    if (g_serverManager == nullptr)
        return;
    g_serverManager->SelectServerByName(m_serverList.GetText(m_serverList.GetCurSel()).c_str());
    RefreshFromCurrent();
}

// The entry keeps its place in the list, and its mark, even when the new
// name breaks the alphabetical order; duplicate names are allowed.
void CServerAdminDlg::OnNameKillFocus()
{
    ServerConfig* server = CurrentServer();
    if (server == nullptr)
        return;
    CopyText(server->name, m_name.TakeText().c_str());
    const int selected = m_serverList.GetCurSel();
    if (selected < 0)
        return;  // no entry to rename; inserting would add a second one
    const LPARAM mark = m_serverList.GetItemData(selected);
    m_serverList.DeleteString(selected);
    m_serverList.InsertString(selected, server->name);
    m_serverList.SetItemData(selected, mark);
    m_serverList.SetCurSel(selected);
}

// The name shown next is read before anything is deleted, so that running
// out of memory here leaves the table and the list as they were.
void CServerAdminDlg::OnDelete()
{
    if (g_serverManager == nullptr)
        return;
    const int selected = m_serverList.GetCurSel();
    const int nextFirst = selected == 0 ? 1 : 0;
    const std::string nextName = nextFirst < m_serverList.GetCount() ? m_serverList.GetText(nextFirst) : std::string();
    m_serverList.DeleteString(selected);
    g_serverManager->DeleteCurrentServer();
    if (m_serverList.GetCount() > 0) {
        m_serverList.SetCurSel(0);
        g_serverManager->SelectServerByName(nextName.c_str());
    } else {
        ResetForNoServer();
    }
    RefreshFromCurrent();
}

// A table replaced as a whole: the list shows it afresh, its first entry
// selected as after a deletion.
void CServerAdminDlg::ShowServerList()
{
    if (g_serverManager == nullptr)
        return;
    const bool hadServers = m_serverList.GetCount() > 0;
    m_serverList.ResetContent();
    for (const ServerConfig* server : g_serverManager->slots) {
        if (server != nullptr)
            m_serverList.AddString(server->name);
    }
    if (m_serverList.GetCount() > 0) {
        m_serverList.SetCurSel(0);
        g_serverManager->SelectServerByName(m_serverList.GetText(0).c_str());
    } else if (hadServers) {
        ResetForNoServer();
    }
    RefreshFromCurrent();
}

// With the last server gone, some controls are cleared; the others keep
// showing the deleted server's values, disabled by the refresh.
void CServerAdminDlg::ResetForNoServer() const
{
    m_map.ResetContent();
    for (const CButton* box : {&m_minimize, &m_pure, &m_respawn, &m_spectateAll, &m_dedicated, &m_friendlyFire})
        box->SetCheck(BST_UNCHECKED);
    for (const CComboBox* list : {&m_matchTime, &m_maxPlayers, &m_playOn, &m_gameMode})
        list->SetCurSel(0);
    m_useExternIp.SetCheck(BST_UNCHECKED);
    m_externIp.ClearAddress();
    m_port.SetWindowText("");
    m_name.SetWindowText("");
}

// A failed launch is not reported: the refresh shows "Start" still enabled.
void CServerAdminDlg::OnStart()
{
    if (g_serverManager != nullptr)
        g_serverManager->StartCurrent();
    RefreshFromCurrent();
}

void CServerAdminDlg::OnStop()
{
    if (g_serverManager != nullptr)
        g_serverManager->StopCurrent();
    RefreshFromCurrent();
}

// The map list follows the new mode; the record's map stays as it was until
// the operator picks one, so a mode without it shows its first map.
void CServerAdminDlg::OnGameModeChanged()
{
    ServerConfig* server = CurrentServer();
    if (server == nullptr)
        return;
    server->gameMode = m_gameMode.GetCurSel();
    ListMapsForMode(m_gameMode.GetLBText(server->gameMode).c_str(), m_map);
    SelectRecordMap(*server);
}

void CServerAdminDlg::OnMapChanged()
{
    ServerConfig* server = CurrentServer();
    const int selected = m_map.GetCurSel();
    if (server != nullptr && selected >= 0)
        CopyText(server->mapName, m_map.GetLBText(selected).c_str());
}

void CServerAdminDlg::OnPortKillFocus() { StoreEditInt(m_port, &ServerConfig::port); }
void CServerAdminDlg::OnRankPointsKillFocus() { StoreEditInt(m_rankPoints, &ServerConfig::rankPoints); }
void CServerAdminDlg::OnDamageMultiplierKillFocus() { StoreEditFloat(m_damageMultiplier, &ServerConfig::damageMultiplier); }
void CServerAdminDlg::OnJumpSlowdownKillFocus() { StoreEditFloat(m_jumpSlowdown, &ServerConfig::jumpSlowdown); }
void CServerAdminDlg::OnPasswordKillFocus() { StoreEditText(m_password, &ServerConfig::password); }

void CServerAdminDlg::OnDedicated() { StoreCheck(m_dedicated, &ServerConfig::dedicated); }
void CServerAdminDlg::OnPure() { StoreCheck(m_pure, &ServerConfig::pure); }
void CServerAdminDlg::OnMinimize() { StoreCheck(m_minimize, &ServerConfig::minimize); }
void CServerAdminDlg::OnFriendlyFire() { StoreCheck(m_friendlyFire, &ServerConfig::friendlyFire); }
void CServerAdminDlg::OnRespawn() { StoreCheck(m_respawn, &ServerConfig::respawn); }
void CServerAdminDlg::OnImmediatePlay() { StoreCheck(m_immediatePlay, &ServerConfig::immediatePlay); }
void CServerAdminDlg::OnAllowShadows() { StoreCheck(m_allowShadows, &ServerConfig::allowShadows); }
void CServerAdminDlg::OnSpectateAll() { StoreCheck(m_spectateAll, &ServerConfig::spectateAll); }
void CServerAdminDlg::OnHash() { StoreCheck(m_hash, &ServerConfig::hash); }
void CServerAdminDlg::OnAntiCheat() { StoreCheck(m_antiCheat, &ServerConfig::antiCheat); }
void CServerAdminDlg::OnOpenChat() { StoreCheck(m_openChat, &ServerConfig::openChat); }

void CServerAdminDlg::OnPlayOnChanged()
{
    if (ServerConfig* server = CurrentServer())
        server->playOn = m_playOn.GetCurSel();
}

void CServerAdminDlg::OnMaxPlayersChanged() { StoreLeadingNumber(m_maxPlayers, &ServerConfig::maxPlayers); }
void CServerAdminDlg::OnMatchTimeChanged() { StoreLeadingNumber(m_matchTime, &ServerConfig::matchTime); }
void CServerAdminDlg::OnFreezeTimeChanged() { StoreLeadingNumber(m_freezeTime, &ServerConfig::freezeTime); }
void CServerAdminDlg::OnRoundTimeChanged() { StoreLeadingNumber(m_roundTime, &ServerConfig::roundTime); }
void CServerAdminDlg::OnMapTimeChanged() { StoreLeadingNumber(m_mapTime, &ServerConfig::mapTime); }
void CServerAdminDlg::OnTeam1SkinSetChanged() { StoreSkinSet(m_team1SkinSet, &ServerConfig::team1SkinSet); }
void CServerAdminDlg::OnTeam2SkinSetChanged() { StoreSkinSet(m_team2SkinSet, &ServerConfig::team2SkinSet); }

// Registered so that every notification of these controls has its place;
// the values are taken elsewhere (on loss of focus, on a selection change).
void CServerAdminDlg::OnRankPointsChange() {}
void CServerAdminDlg::OnFreezeTimeEditChange() {}
void CServerAdminDlg::OnRoundTimeEditChange() {}

// A blank field reads as 0.
void CServerAdminDlg::OnExternIpFieldChanged(NMHDR*, LRESULT* result)
{
    if (ServerConfig* server = CurrentServer())
        m_externIp.GetAddress(server->externIp[0], server->externIp[1], server->externIp[2], server->externIp[3]);
    *result = 0;
}

// The dependent controls follow the box at once, with or without a server;
// they keep showing what they showed until the next refresh.
void CServerAdminDlg::OnUseExternIp()
{
    const std::uint8_t use = CheckOf(m_useExternIp);
    if (ServerConfig* server = CurrentServer())
        server->useExternIp = use;
    m_externIp.EnableWindow(use == 1);
}

void CServerAdminDlg::OnUseMapRotation()
{
    const std::uint8_t use = CheckOf(m_useMapRotation);
    if (ServerConfig* server = CurrentServer())
        server->useMapRotation = use;
    for (const CWnd* control : {static_cast<const CWnd*>(&m_rotationFile), static_cast<const CWnd*>(&m_mapTime),
                                static_cast<const CWnd*>(&m_rotationButton), static_cast<const CWnd*>(&m_browse)})
        control->EnableWindow(use == 1);
}

void CServerAdminDlg::OnRotationFileKillFocus()
{
    StoreEditText(m_rotationFile, &ServerConfig::rotationFile);
    RefreshFromCurrent();
}

// The folder must exist, the file need not: a new rotation can be named
// here. The dialog leaves the working directory alone, since the map lists
// and the server launch depend on it.
void CServerAdminDlg::OnBrowse()
{
    ServerConfig* server = CurrentServer();
    if (server == nullptr)
        return;
    // A path too long for the record is refused rather than cut into the
    // name of some other file.
    CFileDialog dialog(true, kRotationFileExtension, nullptr, OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST,
                       kRotationFileFilter, this, kLongestRotationPath);
    if (dialog.DoModal() != IDOK)
        return;
    CopyText(server->rotationFile, dialog.GetPathName().c_str());
    RefreshFromCurrent();
}

void CServerAdminDlg::OnRotationButton()
{
    if (CurrentServer() == nullptr)
        return;
    CMapRotationDlg editor(nullptr);
    if (editor.DoModal() == IDOK)
        RefreshFromCurrent();
}
