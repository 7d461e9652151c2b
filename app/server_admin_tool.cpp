#include "app/server_admin_tool.h"

#include "admin/server_admin_dlg.h"
#include "alerts/alert_edges_win.h"
#include "history/history_edges_win.h"
#include "servers/server_manager.h"

ServerAdminTool::ServerAdminTool(CServerAdminDlg& window)
    : m_window(window), m_history(m_runFacts, SystemHistoryEdges()), m_alerts(SystemAlertEdges())
{
    // The history reads the relaunch count the facts have just counted.
    m_observers.Add(m_runFacts);
    m_observers.Add(m_history);
    m_history.SetListener(&m_alerts);
    m_serverSet.KeepSectionsOf(m_watchdog);
    m_serverSet.KeepSectionsOf(m_alerts);
}

void ServerAdminTool::Initialise(ServerManager* table)
{
    if (table != nullptr) {
        table->observer = &m_observers;
        table->SetWatchdogSettings(m_watchdog.Settings());
    }
    m_caption = m_window.GetWindowText();
    ConnectHistory();
    ConnectAlerts();
}

void ServerAdminTool::Close()
{
    m_alerts.FinishSending(m_closingBegan.value_or(std::chrono::steady_clock::now()));
    m_history.FinishWriting();
    m_serverSet.Close();
}
