// The tool's alerts: they hear the history, are set in their dialog, and an
// alert given up is recorded in the history.
#include "admin/server_admin_dlg.h"
#include "alerts/alerts_dlg.h"
#include "app/server_admin_tool.h"

// The sender's thread only posts the message; the window's thread takes
// what was given up and records it, as it records every event.
void ServerAdminTool::ConnectAlerts()
{
    const HWND window = m_window.GetSafeHwnd();
    m_alerts.SetNotSentNotice([window] { ::PostMessageA(window, CServerAdminDlg::kAlertNotSentMessage, 0, 0); });
}

void ServerAdminTool::ShowAlerts()
{
    CAlertsDlg dialog(m_alerts, &m_window);
    dialog.DoModal();
}

void ServerAdminTool::RecordAlertsNotSent()
{
    for (const AlertNotSent& notSent : m_alerts.TakeNotSent())
        m_history.AlertNotSent(notSent.server, notSent.reason);
}
