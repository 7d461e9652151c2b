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

// The failure is found on the history's writing thread, which only posts
// the message; the window's thread takes the failure from the history. A box
// opened in the middle of a watchdog pass would let the next tick run inside
// it, so the box waits until the action that recorded the event is done.
void ServerAdminTool::ConnectHistory()
{
    const HWND window = m_window.GetSafeHwnd();
    m_history.SetWriteFailureNotice(
        [window] { ::PostMessageA(window, CServerAdminDlg::kHistoryNotSavedMessage, 0, 0); });
}

void ServerAdminTool::ShowHistoryNotSaved()
{
    LogFailure failure;
    if (!m_history.TakeWriteFailure(failure))
        return;
    const std::string what =
        failure.logPath.empty()
            ? failure.reason + "."
            : FileFailureMessage("The server history could not be written to", failure.logPath, failure.reason);
    const std::string text = what + (failure.eventListed
                                         ? "\n\nEvery event is still listed in the history, and the servers go on."
                                         : "\n\nThe servers go on.");
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
