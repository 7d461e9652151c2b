// The watchdog's options: set in their dialog, kept in the open server set
// (which is written again once the command is over), and handed to the
// watchdog's pass.
#include "admin/server_admin_dlg.h"
#include "app/server_admin_tool.h"
#include "servers/server_manager.h"
#include "watchdog/watchdog_dlg.h"

void ServerAdminTool::ShowWatchdog()
{
    CWatchdogDlg dialog(m_watchdog.Settings(), &m_window);
    if (dialog.DoModal() == IDOK)
        m_watchdog.Change(dialog.Settings());
}

void ServerAdminTool::UseWatchdogSettings(const WatchdogSettings& settings)
{
    if (g_serverManager != nullptr)
        g_serverManager->SetWatchdogSettings(settings);
}
