// The tool's server history: fed by process control and the set actions,
// shown in its dialog, and a box when the set's log could not be written.
#include "admin/server_admin_dlg.h"
#include "app/server_admin_tool.h"
#include "framework/file_contents.h"
#include "history/server_history_dlg.h"
#include "servers/server_manager.h"

namespace {
const char kHistoryNotSavedCaption[] = "Server History Not Saved";
}

// A box opened in the middle of a watchdog pass would let the next tick run
// inside it, so the box waits until the action that recorded the event is
// done.
void ServerAdminTool::ConnectHistory()
{
    m_history.onWriteFailure = [this](const std::string& logPath, const std::string& reason) {
        m_historyNotSaved = FileFailureMessage("The server history could not be written to", logPath, reason) +
                            "\n\nThe event is still listed in the history, and the servers go on.";
        ::PostMessageA(m_window.GetSafeHwnd(), CServerAdminDlg::kHistoryNotSavedMessage, 0, 0);
    };
}

void ServerAdminTool::ShowHistoryNotSaved()
{
    const std::string text = std::move(m_historyNotSaved);
    if (!text.empty())
        m_window.MessageBox(text.c_str(), kHistoryNotSavedCaption, MB_OK | MB_ICONERROR);
}

void ServerAdminTool::ShowServerHistory()
{
    CServerHistoryDlg dialog(m_history, &m_window);
    dialog.DoModal();
}

void ServerAdminTool::RecordServersLeftRunning()
{
    for (const ServerConfig* server : g_serverManager->slots) {
        if (server != nullptr && server->running == 1)
            m_history.LeftRunning(*server);
    }
}
