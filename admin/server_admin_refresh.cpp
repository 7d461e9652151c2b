// Record to controls: how the window shows the current server.
#include <cstdio>

#include "admin/number_text.h"
#include "admin/server_admin_dlg.h"
#include "content/map_catalogue.h"
#include "servers/server_manager.h"
#include "servers/text_compare.h"

namespace {

void SetCheck(const CButton& box, std::uint8_t flag)
{
    box.SetCheck(flag == 1 ? BST_CHECKED : BST_UNCHECKED);
}

void SetIntText(const CEdit& edit, int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%i", value);
    edit.SetWindowText(text);
}

void SetFloatText(const CEdit& edit, float value)
{
    // Room for the largest float with its six decimals.
    char text[64];
    std::snprintf(text, sizeof text, "%f", static_cast<double>(value));
    edit.SetWindowText(text);
}

// 0 selects the "No limit" item; any other value the first item whose
// leading number equals it. A value no item has leaves the selection alone.
void SelectByLeadingNumber(const CComboBox& list, int value)
{
    if (value == 0) {
        list.SetCurSel(0);
        return;
    }
    for (int i = 0; i < list.GetCount(); ++i) {
        if (TextToInt(list.GetLBText(i).c_str()) == value) {
            list.SetCurSel(i);
            return;
        }
    }
}

}  // namespace

void CServerAdminDlg::RefreshFromCurrent()
{
    // Setting the controls from the record must not write them back.
    const MuteNotifications mute(*this);
    ServerConfig* server = g_serverManager != nullptr ? g_serverManager->Current() : nullptr;
    if (server == nullptr) {
        EnableSettings(false);
        m_start.EnableWindow(false);
        m_stop.EnableWindow(false);
        m_delete.EnableWindow(false);
        return;
    }
    m_rotationButton.SetWindowText(server->rotationFile[0] != '\0' ? "Edit" : "New");
    EnableByState(*server);
    ShowTexts(*server);
    ShowIndexSelections(*server);
    ShowMaps(*server);
    m_playOn.SetCurSel(server->playOn);
    ShowLeadingNumbers(*server);
    ShowChecks(*server);
    ShowRotation(*server);
    ShowExternIp(*server);
}

void CServerAdminDlg::EnableSettings(bool enable) const
{
    const CWnd* const settings[] = {
        &m_jumpSlowdown, &m_openChat,     &m_antiCheat,      &m_team2SkinSet,   &m_team1SkinSet,  &m_hash,
        &m_damageMultiplier, &m_immediatePlay, &m_rankPoints, &m_roundTime,    &m_allowShadows,  &m_freezeTime,
        &m_rotationButton, &m_browse,     &m_rotationFile,   &m_mapTime,        &m_useMapRotation, &m_externIp,
        &m_useExternIp,  &m_matchTime,    &m_map,            &m_minimize,       &m_pure,          &m_respawn,
        &m_spectateAll,  &m_dedicated,    &m_friendlyFire,   &m_maxPlayers,     &m_playOn,        &m_gameMode,
        &m_port,         &m_name,         &m_password,
    };
    static_assert(sizeof settings / sizeof settings[0] == 33, "every bound control but the list and four buttons");
    for (const CWnd* control : settings)
        control->EnableWindow(enable);
}

void CServerAdminDlg::EnableByState(const ServerConfig& server) const
{
    const bool running = server.running == 1;
    EnableSettings(!running);
    if (!running) {
        m_externIp.EnableWindow(server.useExternIp == 1);
        const bool rotation = server.useMapRotation == 1;
        m_rotationFile.EnableWindow(rotation);
        m_mapTime.EnableWindow(rotation);
        m_rotationButton.EnableWindow(rotation);
        m_browse.EnableWindow(rotation);
    }
    m_stop.EnableWindow(running);
    m_delete.EnableWindow(!running);
    m_start.EnableWindow(!running);
}

void CServerAdminDlg::ShowTexts(const ServerConfig& server) const
{
    m_name.SetWindowText(server.name);
    m_password.SetWindowText(server.password);
    SetIntText(m_port, server.port);
    SetIntText(m_rankPoints, server.rankPoints);
    SetFloatText(m_damageMultiplier, server.damageMultiplier);
    SetFloatText(m_jumpSlowdown, server.jumpSlowdown);
}

void CServerAdminDlg::ShowIndexSelections(const ServerConfig& server) const
{
    m_gameMode.SetCurSel(server.gameMode);
    m_team1SkinSet.SetCurSel(server.team1SkinSet);
    m_team2SkinSet.SetCurSel(server.team2SkinSet);
}

void CServerAdminDlg::ListMapsSelecting(const ServerConfig& server) const
{
    ListMapsForMode(m_gameMode.GetLBText(server.gameMode).c_str(), m_map);
    m_map.SetCurSel(0);
    if (server.mapName[0] == '\0')
        return;
    for (int i = 0; i < m_map.GetCount(); ++i) {
        if (EqualNoCase(m_map.GetLBText(i).c_str(), server.mapName)) {
            m_map.SetCurSel(i);
            return;
        }
    }
}

// A record without a map takes the first one listed.
void CServerAdminDlg::ShowMaps(ServerConfig& server) const
{
    ListMapsSelecting(server);
    if (server.mapName[0] == '\0' && m_map.GetCurSel() >= 0)
        CopyText(server.mapName, m_map.GetLBText(m_map.GetCurSel()).c_str());
}

void CServerAdminDlg::ShowLeadingNumbers(const ServerConfig& server) const
{
    SelectByLeadingNumber(m_maxPlayers, server.maxPlayers);
    SelectByLeadingNumber(m_matchTime, server.matchTime);
    SelectByLeadingNumber(m_freezeTime, server.freezeTime);
    SelectByLeadingNumber(m_roundTime, server.roundTime);
}

void CServerAdminDlg::ShowChecks(const ServerConfig& server) const
{
    SetCheck(m_friendlyFire, server.friendlyFire);
    SetCheck(m_dedicated, server.dedicated);
    SetCheck(m_respawn, server.respawn);
    SetCheck(m_spectateAll, server.spectateAll);
    SetCheck(m_immediatePlay, server.immediatePlay);
    SetCheck(m_allowShadows, server.allowShadows);
    SetCheck(m_pure, server.pure);
    SetCheck(m_hash, server.hash);
    SetCheck(m_antiCheat, server.antiCheat);
    SetCheck(m_openChat, server.openChat);
    SetCheck(m_minimize, server.minimize);
    SetCheck(m_useExternIp, server.useExternIp);
}

// Without rotation the map time shows "No limit", whatever the record holds.
void CServerAdminDlg::ShowRotation(const ServerConfig& server) const
{
    SetCheck(m_useMapRotation, server.useMapRotation);
    m_rotationFile.SetWindowText(server.rotationFile);
    if (server.useMapRotation == 1)
        SelectByLeadingNumber(m_mapTime, server.mapTime);
    else
        m_mapTime.SetCurSel(0);
}

void CServerAdminDlg::ShowExternIp(const ServerConfig& server) const
{
    m_externIp.SetAddress(server.externIp[0], server.externIp[1], server.externIp[2], server.externIp[3]);
}
