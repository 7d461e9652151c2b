// The tool's working window: the server list with each server's mark on the
// left, every setting of the current server on the right, the status bar
// below. admin/ builds its settings side (the controls, the refresh, the
// operator's handlers); app/ puts the window together (construction,
// message table, command table) with its frame behaviour (start-up, timer,
// closing) and what the tool keeps beside the window (ServerAdminTool), so
// that app/ depends on admin/, never the reverse.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/command_table.h"
#include "framework/controls.h"
#include "framework/dialog.h"
#include "servers/server_run_facts.h"

struct ServerConfig;
class ServerAdminTool;

class CServerAdminDlg : public CDialog {
public:
    explicit CServerAdminDlg(CWnd* parent = nullptr);
    ~CServerAdminDlg() override;

    // Copies the current record into the controls, enables the controls
    // that fit its state, marks each server in the list and says in the
    // status bar where the current one stands.
    void RefreshFromCurrent();
    // Lists the table afresh, as after it was replaced as a whole; its
    // first entry selected as after a deletion.
    void ShowServerList();
    // The arguments the program was started with, taken up once the window
    // shows: one names a server set to open, with no question asked.
    void SetStartUpArguments(std::vector<std::string> arguments);

    // Posted to the window, so that what they do waits until the action
    // under way is over.
    static constexpr UINT kStartUpMessage = WM_APP + 1;
    static constexpr UINT kHistoryNotSavedMessage = WM_APP + 2;
    static constexpr UINT kAlertNotSentMessage = WM_APP + 3;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    MessageTable GetMessageTable() const override;
    const CommandTable* GetCommandTable() const override { return &m_commands; }
    void OnAfterOutermostMessage(UINT message) override;

    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    void OnClose();
    // What the start-up arguments ask for, with the window shown; the box
    // that tells of a history line not written; an alert given up, recorded.
    void OnStartUp();
    void OnHistoryNotSaved();
    void OnAlertNotSent();

    // The operator's actions, one per control and notification; the
    // buttons' are the commands of the same identifiers.
    void OnStart();
    void OnStop();
    void OnDelete();
    void OnNew();
    void OnNameKillFocus();
    void OnPortKillFocus();
    void OnRankPointsKillFocus();
    void OnRankPointsChange();
    void OnPasswordKillFocus();
    void OnGameModeChanged();
    void OnMapChanged();
    void OnDedicated();
    void OnPure();
    void OnMinimize();
    void OnFriendlyFire();
    void OnRespawn();
    void OnPlayOnChanged();
    void OnMaxPlayersChanged();
    void OnMatchTimeChanged();
    void OnFreezeTimeChanged();
    void OnFreezeTimeEditChange();
    void OnRoundTimeChanged();
    void OnRoundTimeEditChange();
    void OnImmediatePlay();
    void OnServerListChanged();
    void OnUseExternIp();
    void OnAllowShadows();
    void OnDamageMultiplierKillFocus();
    void OnSpectateAll();
    void OnExternIpFieldChanged(NMHDR* header, LRESULT* result);
    void OnUseMapRotation();
    void OnRotationFileKillFocus();
    void OnMapTimeChanged();
    void OnRotationButton();
    void OnBrowse();
    void OnHash();
    void OnTeam1SkinSetChanged();
    void OnTeam2SkinSetChanged();
    void OnAntiCheat();
    void OnOpenChat();
    void OnJumpSlowdownKillFocus();
    void OnDrawServerItem(const DRAWITEMSTRUCT& item);
    // The status bar keeps to the bottom of the window.
    void OnSize();

private:
    // The window's commands, each once: menu bar, system menu, shortcuts.
    std::vector<Command> Commands();

    // The status bar and the list's items follow the window's font.
    void FitStatusBar();
    void FitServerListItems() const;

    // The steps of a refresh, in the order they run.
    void ShowRotationButton(const char* rotationFile) const;
    // The settings controls: all disabled unless editable; the IP address
    // also needs externIp, the rotation path, map time, rotation button and
    // "Browse" also need rotation.
    void EnableSettings(bool editable, bool externIp, bool rotation) const;
    void EnableByState(const ServerConfig& server) const;
    void ShowTexts(const ServerConfig& server) const;
    void ShowIndexSelections(const ServerConfig& server) const;
    // Also stores the first map listed into a record whose map is empty.
    void ShowMapsFillingEmptyMapName(ServerConfig& server) const;
    // Selects the record's map in the map list, or the first map when the
    // list lacks it.
    void SelectRecordMap(const ServerConfig& server) const;
    void ResetForNoServer() const;
    void ShowLeadingNumbers(const ServerConfig& server) const;
    void ShowChecks(const ServerConfig& server) const;
    void ShowRotation(const ServerConfig& server) const;
    void ShowExternIp(const ServerConfig& server) const;
    // Each list item's mark, redrawn only where it changed, and the
    // current server's sentence.
    void ShowServerMarks(WallTime now) const;
    void ShowStatus(WallTime now) const;

    CEdit m_jumpSlowdown;          // 1039
    CButton m_openChat;            // 1038
    CButton m_antiCheat;           // 1037
    CComboBox m_team2SkinSet;      // 1036
    CComboBox m_team1SkinSet;      // 1035
    CButton m_hash;                // 1034
    CEdit m_damageMultiplier;      // 1026
    CButton m_immediatePlay;       // 1022
    CEdit m_rankPoints;            // 1008
    CComboBox m_roundTime;         // 1021
    CButton m_allowShadows;        // 1025
    CComboBox m_freezeTime;        // 1020
    CButton m_rotationButton;      // 1032
    CButton m_browse;              // 1033
    CEdit m_rotationFile;          // 1030
    CComboBox m_mapTime;           // 1031
    CButton m_useMapRotation;      // 1029
    CIPAddressCtrl m_externIp;     // 1028
    CButton m_useExternIp;         // 1024
    CComboBox m_matchTime;         // 1019
    CButton m_delete;              // 1004
    CButton m_stop;                // 1003
    CButton m_start;               // 1002
    CButton m_new;                 // 1005
    CComboBox m_map;               // 1011
    CButton m_minimize;            // 1014
    CButton m_pure;                // 1013
    CButton m_respawn;             // 1016
    CButton m_spectateAll;         // 1027
    CButton m_dedicated;           // 1012
    CButton m_friendlyFire;        // 1015
    CComboBox m_maxPlayers;        // 1018
    CComboBox m_playOn;            // 1017
    CComboBox m_gameMode;          // 1010
    CEdit m_port;                  // 1007
    CEdit m_name;                  // 1006
    CEdit m_password;              // 1009
    CListBox m_serverList;         // 1023
    CWnd m_statusBar;

    HICON m_hIcon;
    HICON m_hSmallIcon;
    UINT_PTR timerId = 0;

    std::unique_ptr<ServerAdminTool> m_tool;
    const ServerRunFacts& m_runFacts;  // the tool's
    const CommandTable m_commands;
};
