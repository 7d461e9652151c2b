// Record to controls: how the window shows the current server, each
// server's mark and the status bar's sentence. Every control is set through
// an Ensure setter and a mark is drawn again only when it changed, so a
// refresh that changes nothing repaints nothing and leaves an opened
// drop-down open.
#include <cstdio>

#include "admin/number_text.h"
#include "admin/server_admin_dlg.h"
#include "content/map_catalogue.h"
#include "framework/win_app.h"
#include "res/resource.h"
#include "servers/server_manager.h"
#include "servers/server_run_state.h"
#include "servers/text_compare.h"

namespace {

void ShowCheck(const CButton& box, std::uint8_t flag)
{
    box.EnsureCheck(flag == 1 ? BST_CHECKED : BST_UNCHECKED);
}

void ShowIntText(const CEdit& edit, int value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%i", value);
    edit.EnsureShownText(text);
}

void ShowFloatText(const CEdit& edit, float value)
{
    // Room for the largest float with its six decimals.
    char text[64];
    std::snprintf(text, sizeof text, "%f", static_cast<double>(value));
    edit.EnsureShownText(text);
}

// 0 selects the "No limit" item; any other value the first item whose
// leading number equals it. A value no item has leaves the selection alone.
void SelectByLeadingNumber(const CComboBox& list, int value)
{
    if (value == 0) {
        list.EnsureCurSel(0);
        return;
    }
    for (int i = 0; i < list.GetCount(); ++i) {
        if (TextToInt(list.GetLBText(i).c_str()) == value) {
            list.EnsureCurSel(i);
            return;
        }
    }
}

ServerRun RunOf(const ServerRunFacts& facts, int slot)
{
    return ServerRun{g_serverManager->slots[slot]->running == 1, g_serverManager->HasEnded(slot), facts.Of(slot)};
}

}  // namespace

void CServerAdminDlg::RefreshFromCurrent()
{
    // Setting the controls from the record must not write them back.
    const MuteNotifications mute(*this);
    const WallTime now = m_runFacts.Now();
    ShowServerMarks(now);
    ShowStatus(now);
    ServerConfig* server = g_serverManager != nullptr ? g_serverManager->Current() : nullptr;
    if (server == nullptr) {
        EnableSettings(false, false, false);
        m_start.EnsureEnabled(false);
        m_stop.EnsureEnabled(false);
        m_delete.EnsureEnabled(false);
        return;
    }
    ShowRotationButton(server->rotationFile);
    EnableByState(*server);
    ShowTexts(*server);
    ShowIndexSelections(*server);
    ShowMapsFillingEmptyMapName(*server);
    m_playOn.EnsureCurSel(server->playOn);
    ShowLeadingNumbers(*server);
    ShowChecks(*server);
    ShowRotation(*server);
    ShowExternIp(*server);
}

// The button opens the editor on a new rotation or on the file named.
void CServerAdminDlg::ShowRotationButton(const char* rotationFile) const
{
    const UINT caption = rotationFile[0] != '\0' ? IDS_EDITROTATION : IDS_NEWROTATION;
    m_rotationButton.EnsureWindowText(LoadResourceString(caption).c_str());
}

// Each control is told its final state once: enabling all settings and then
// disabling a few would make those few flicker.
void CServerAdminDlg::EnableSettings(bool editable, bool externIp, bool rotation) const
{
    const CWnd* const settings[] = {
        &m_jumpSlowdown, &m_openChat,     &m_antiCheat,     &m_team2SkinSet, &m_team1SkinSet, &m_hash,
        &m_damageMultiplier, &m_immediatePlay, &m_rankPoints, &m_roundTime,  &m_allowShadows, &m_freezeTime,
        &m_useMapRotation, &m_useExternIp, &m_matchTime,    &m_map,          &m_minimize,     &m_pure,
        &m_respawn,      &m_spectateAll,  &m_dedicated,     &m_friendlyFire, &m_maxPlayers,   &m_playOn,
        &m_gameMode,     &m_port,         &m_name,          &m_password,
    };
    const CWnd* const rotationGroup[] = {&m_rotationFile, &m_mapTime, &m_rotationButton, &m_browse};
    static_assert(sizeof settings / sizeof settings[0] + 1 + sizeof rotationGroup / sizeof rotationGroup[0] == 33,
                  "every bound control but the list and four buttons");
    for (const CWnd* control : settings)
        control->EnsureEnabled(editable);
    m_externIp.EnsureEnabled(editable && externIp);
    for (const CWnd* control : rotationGroup)
        control->EnsureEnabled(editable && rotation);
}

void CServerAdminDlg::EnableByState(const ServerConfig& server) const
{
    const bool running = server.running == 1;
    EnableSettings(!running, server.useExternIp == 1, server.useMapRotation == 1);
    m_stop.EnsureEnabled(running);
    m_delete.EnsureEnabled(!running);
    m_start.EnsureEnabled(!running);
}

void CServerAdminDlg::ShowTexts(const ServerConfig& server) const
{
    m_name.EnsureShownText(server.name);
    m_password.EnsureShownText(server.password);
    ShowIntText(m_port, server.port);
    ShowIntText(m_rankPoints, server.rankPoints);
    ShowFloatText(m_damageMultiplier, server.damageMultiplier);
    ShowFloatText(m_jumpSlowdown, server.jumpSlowdown);
}

void CServerAdminDlg::ShowIndexSelections(const ServerConfig& server) const
{
    m_gameMode.EnsureCurSel(server.gameMode);
    m_team1SkinSet.EnsureCurSel(server.team1SkinSet);
    m_team2SkinSet.EnsureCurSel(server.team2SkinSet);
}

// An empty list has nothing to select; asking would only repaint it.
void CServerAdminDlg::SelectRecordMap(const ServerConfig& server) const
{
    const int count = m_map.GetCount();
    if (count == 0)
        return;
    int selected = 0;
    if (server.mapName[0] != '\0') {
        for (int i = 0; i < count; ++i) {
            if (EqualNoCase(m_map.GetLBText(i).c_str(), server.mapName)) {
                selected = i;
                break;
            }
        }
    }
    m_map.EnsureCurSel(selected);
}

// The map list is searched for again on every refresh, so files added or
// removed on disk show; a record without a map takes the first one listed.
void CServerAdminDlg::ShowMapsFillingEmptyMapName(ServerConfig& server) const
{
    RelistMapsForMode(m_gameMode.GetLBText(server.gameMode).c_str(), m_map);
    SelectRecordMap(server);
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
    const struct {
        const CButton* box;
        std::uint8_t ServerConfig::*flag;
    } checks[] = {
        {&m_friendlyFire, &ServerConfig::friendlyFire}, {&m_dedicated, &ServerConfig::dedicated},
        {&m_respawn, &ServerConfig::respawn},           {&m_spectateAll, &ServerConfig::spectateAll},
        {&m_immediatePlay, &ServerConfig::immediatePlay}, {&m_allowShadows, &ServerConfig::allowShadows},
        {&m_pure, &ServerConfig::pure},                 {&m_hash, &ServerConfig::hash},
        {&m_antiCheat, &ServerConfig::antiCheat},       {&m_openChat, &ServerConfig::openChat},
        {&m_minimize, &ServerConfig::minimize},         {&m_useExternIp, &ServerConfig::useExternIp},
    };
    for (const auto& check : checks)
        ShowCheck(*check.box, server.*check.flag);
}

// Without rotation the map time shows "No limit", whatever the record holds.
void CServerAdminDlg::ShowRotation(const ServerConfig& server) const
{
    ShowCheck(m_useMapRotation, server.useMapRotation);
    m_rotationFile.EnsureShownText(server.rotationFile);
    if (server.useMapRotation == 1)
        SelectByLeadingNumber(m_mapTime, server.mapTime);
    else
        m_mapTime.EnsureCurSel(0);
}

void CServerAdminDlg::ShowExternIp(const ServerConfig& server) const
{
    m_externIp.EnsureAddress(server.externIp[0], server.externIp[1], server.externIp[2], server.externIp[3]);
}

// An item shows the server its name selects: the lowest slot of that name.
void CServerAdminDlg::ShowServerMarks(WallTime now) const
{
    if (g_serverManager == nullptr)
        return;
    for (int i = 0; i < m_serverList.GetCount(); ++i) {
        const int slot = g_serverManager->FindSlotByName(m_serverList.GetText(i).c_str());
        const RunMark mark = slot < 0 ? RunMark::Stopped : MarkOf(RunOf(m_runFacts, slot), now);
        if (m_serverList.GetItemData(i) != static_cast<LPARAM>(mark)) {
            m_serverList.SetItemData(i, static_cast<LPARAM>(mark));
            m_serverList.RedrawItem(i);
        }
    }
}

// With no server the bar says nothing.
void CServerAdminDlg::ShowStatus(WallTime now) const
{
    const ServerConfig* server = g_serverManager != nullptr ? g_serverManager->Current() : nullptr;
    const std::string text =
        server != nullptr ? StatusText(server->name, RunOf(m_runFacts, g_serverManager->current), now) : std::string();
    m_statusBar.EnsureWindowText(text.c_str());
}
