// What the tool keeps beside the admin window's controls: each server's run
// facts and the server history, which process control reports to in this
// order, the alerts that hear the history, the open server set, which keeps
// the watchdog's options and the alerts' settings too, and the arguments the
// program started with.
// The window's commands for these features lead here; the window itself
// knows only the run facts, which its marks and status bar show.
#pragma once

#include <string>
#include <chrono>
#include <optional>
#include <utility>
#include <vector>

#include "alerts/server_alerts.h"
#include "history/server_history.h"
#include "servers/server_observers.h"
#include "servers/server_run_facts.h"
#include "sets/server_set_session.h"
#include "watchdog/watchdog_options.h"

class CServerAdminDlg;
class ServerManager;

class ServerAdminTool {
public:
    explicit ServerAdminTool(CServerAdminDlg& window);
    ServerAdminTool(const ServerAdminTool&) = delete;
    ServerAdminTool& operator=(const ServerAdminTool&) = delete;

    const ServerRunFacts& RunFacts() const { return m_runFacts; }
    void SetStartUpArguments(std::vector<std::string> arguments) { m_startUpArguments = std::move(arguments); }
    bool HasStartUpArguments() const { return !m_startUpArguments.empty(); }

    // Once the window and the table exist: process control reports to the
    // facts and the history, and the window's caption is the one shown
    // while no set is open.
    void Initialise(ServerManager* table);
    // The operator has chosen to close: the alerts still waiting have their
    // time to be sent from now on, while the servers stop.
    void BeginClosing() { m_closingBegan = std::chrono::steady_clock::now(); }
    // The window and its table are gone: the alerts still waiting are
    // sent and the history's lines written, each within its bound, then
    // the open set is left, its claim with it.
    void Close();

    // The server set: opened from the arguments the program started with or
    // with a command, saved under a new name, and written again after every
    // action that changed the table.
    void OpenStartUpSet();
    void OpenServerSet();
    void SaveServerSetAs();
    void SaveServerSetIfChanged();

    // The history's dialog, the box about a line of its log not written,
    // and the servers closing leaves running.
    void ShowServerHistory();
    void ShowHistoryNotSaved();
    void RecordServersLeftRunning();

    // The watchdog's options in their dialog.
    void ShowWatchdog();

    // The alerts' dialog, and the alerts given up, recorded in the history.
    void ShowAlerts();
    void RecordAlertsNotSent();

private:
    // Servers the set saved as running come back, those no longer running
    // after one question when the operator should be asked.
    void OpenServerSet(const std::string& path, bool askBeforeStarting);
    void ShowCaption() const;
    // The box about a log line not written waits for the window, and so
    // does the history's record of an alert not sent.
    void ConnectHistory();
    void ConnectAlerts();
    // Where the watchdog's pass takes the options, as the operator or a set
    // just opened changed them.
    void UseWatchdogSettings(const WatchdogSettings& settings);

    CServerAdminDlg& m_window;
    ServerRunFacts m_runFacts{SystemWallTime};
    ServerHistory m_history;
    ServerAlerts m_alerts;
    ServerObservers m_observers;
    WatchdogOptions m_watchdog{[this](const WatchdogSettings& settings) { UseWatchdogSettings(settings); }};
    ServerSetSession m_serverSet;
    std::vector<std::string> m_startUpArguments;
    std::optional<std::chrono::steady_clock::time_point> m_closingBegan;
    std::string m_caption;  // the template's, shown alone while no set is open
};
