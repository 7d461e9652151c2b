// The admin window's server history: fed by process control and the set
// actions, shown in its dialog from the system menu, and a box when the
// set's log could not be written.
#include "admin/server_admin_dlg.h"
#include "framework/file_contents.h"
#include "history/server_history_dlg.h"
#include "servers/server_manager.h"

namespace {
const char kHistoryNotSavedCaption[] = "Server History Not Saved";
}

// A box opened in the middle of a watchdog pass would let the next tick run
// inside it, so the box waits until the action that recorded the event is
// done.
void CServerAdminDlg::ConnectHistory()
{
    if (g_serverManager != nullptr)
        g_serverManager->observer = &m_history;
    m_history.onWriteFailure = [this](const std::string& logPath, const std::string& reason) {
        m_historyNotSaved = FileFailureMessage("The server history could not be written to", logPath, reason) +
                            "\n\nThe event is still listed in the history, and the servers go on.";
        ::PostMessageA(m_hWnd, kHistoryNotSavedMessage, 0, 0);
    };
}

void CServerAdminDlg::OnHistoryNotSaved()
{
    const std::string text = std::move(m_historyNotSaved);
    if (!text.empty())
        MessageBox(text.c_str(), kHistoryNotSavedCaption, MB_OK | MB_ICONERROR);
}

void CServerAdminDlg::OnServerHistory()
{
    CServerHistoryDlg dialog(m_history, this);
    dialog.DoModal();
}

void CServerAdminDlg::RecordServersLeftRunning()
{
    for (const ServerConfig* server : g_serverManager->slots) {
        if (server != nullptr && server->running == 1)
            m_history.LeftRunning(*server);
    }
}
