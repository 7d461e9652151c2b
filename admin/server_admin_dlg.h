// The tool's working window: the server list on the left, every setting of
// the current server on the right. admin/ builds its settings side (the
// controls, the refresh, the operator's handlers); app/ puts the window
// together (construction, message table) with its frame behaviour
// (start-up, timer, closing), so that app/ depends on admin/, never the
// reverse.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/controls.h"
#include "framework/dialog.h"
#include "history/server_history.h"
#include "sets/server_set_session.h"

struct ServerConfig;

class CServerAdminDlg : public CDialog {
public:
    explicit CServerAdminDlg(CWnd* parent = nullptr);
    ~CServerAdminDlg() override;

    // Copies the current record into the controls and enables the controls
    // that fit its state.
    void RefreshFromCurrent();
    // The arguments the program was started with, taken up once the window
    // shows: one names a server set to open, with no question asked.
    void SetStartUpArguments(std::vector<std::string> arguments) { m_startUpArguments = std::move(arguments); }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    MessageTable GetMessageTable() const override;
    void OnAfterOutermostMessage(UINT message) override;

    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnTimer(UINT_PTR id);
    void OnDestroy();
    void OnClose();
    void OnStartUp();

    // The server set: opened and saved from the system menu, written again
    // after every action and tick that changed the table.
    void OnOpenServerSet();
    void OnSaveServerSetAs();

    // The server history: its dialog, and the box that tells of a log line
    // not written, shown once the action that recorded it is done.
    void OnServerHistory();
    void OnHistoryNotSaved();

    // The operator's actions, one per control and notification.
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

private:
    // Posted by the initialisation, so that what the start-up arguments ask
    // for happens with the window shown.
    static constexpr UINT kStartUpMessage = WM_APP + 1;
    static constexpr UINT kHistoryNotSavedMessage = WM_APP + 2;

    // Process control and the box about the log report to the history.
    void ConnectHistory();
    void RecordServersLeftRunning();

    // Servers the set saved as running come back, those no longer running
    // after one question when the operator should be asked.
    void OpenServerSet(const std::string& path, bool askBeforeStarting);
    void SaveServerSetIfChanged();
    void ShowCaption() const;
    void ShowServerList();

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

    HICON m_hIcon;
    HICON m_hSmallIcon;
    UINT_PTR timerId = 0;

    std::vector<std::string> m_startUpArguments;
    std::string m_caption;  // the template's, shown alone while no set is open
    ServerSetSession m_serverSet;
    ServerHistory m_history;
};
