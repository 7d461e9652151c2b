// The admin window's server set: opened from the system menu or named on
// the command line, saved from the system menu, and written again at the
// end of every action and tick that changed the table.
#include <cstdio>
#include <string>
#include <vector>

#include "admin/server_admin_dlg.h"
#include "framework/file_contents.h"
#include "framework/file_dialog.h"
#include "servers/canonical_path_win.h"
#include "servers/server_manager.h"

namespace {

const char kNotOpenedCaption[] = "Server Set Not Opened";
const char kNotSavedCaption[] = "Server Set Not Saved";
const char kOpenCaption[] = "Open Server Set";
const char kIgnoredCaption[] = "Server Set Values Ignored";
const char kUsageCaption[] = "Command Line Not Understood";
const char kServerSetExtension[] = "ini";
const char kServerSetFilter[] = "Server sets (*.ini)|*.ini||";

std::string Sentence(std::string words)
{
    if (!words.empty() && words.back() != '.')
        words += '.';
    return words;
}

// Names the file, then says why, as the rotation editor's box does.
void ReportSetFailure(const CWnd& window, const char* caption, const char* failedTo, const std::string& path,
                   const std::string& failure)
{
    const std::string text = std::string("The server set could not be ") + failedTo + ":\n" + path + "\n\n" +
                             Sentence(failure);
    window.MessageBox(text.c_str(), caption, MB_OK | MB_ICONWARNING);
}

std::string ProgramName()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, sizeof path);
    return FileNameOf(path);
}

}  // namespace

// Every change of the table comes from a command, a notification or a tick.
// The set is written when such a message is done, unless it came while
// another was being handled (a control's notification in the middle of a
// refresh): the table is whole only once the outermost action is done. A
// tick is an action of its own, also while another action waits in a
// modal window.
INT_PTR CServerAdminDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_COMMAND && message != WM_NOTIFY && message != WM_TIMER && message != WM_SYSCOMMAND)
        return CDialog::WindowProc(message, wParam, lParam);
    struct Depth {
        explicit Depth(int& depth) : m_depth(++depth) {}
        ~Depth() { --m_depth; }
        int& m_depth;
    };
    INT_PTR result = 0;
    {
        const Depth depth(m_actionDepth);
        result = CDialog::WindowProc(message, wParam, lParam);
    }
    if (m_actionDepth == 0 || message == WM_TIMER)
        SaveServerSetIfChanged();
    return result;
}

void CServerAdminDlg::SaveServerSetIfChanged()
{
    if (g_serverManager == nullptr)
        return;
    const std::string failure = m_serverSet.SaveIfChanged(*g_serverManager);
    if (failure.empty())
        return;
    m_history.SetNotSaved(m_serverSet.Path(), failure);
    ReportSetFailure(*this, kNotSavedCaption, "saved", m_serverSet.Path(), failure);
}

void CServerAdminDlg::ShowCaption() const
{
    const std::string caption = m_serverSet.IsOpen() ? m_serverSet.FileName() + " - " + m_caption : m_caption;
    SetWindowText(caption.c_str());
}

// Unattended starts (a scheduled task, a startup shortcut) are the reason
// for the argument: the set opens and its servers come back without a
// question.
void CServerAdminDlg::OnStartUp()
{
    // Its boxes belong to a window the operator can see.
    ::ShowWindow(m_hWnd, SW_SHOW);
    if (m_startUpArguments.size() > 1) {
        const std::string usage = "Usage: " + ProgramName() +
                                  " [SERVER-SET]\n\nGive at most one argument: the server set to open, in double "
                                  "quotes when its path holds blanks. The tool starts with an empty table.";
        MessageBox(usage.c_str(), kUsageCaption, MB_OK | MB_ICONWARNING);
    } else if (g_serverManager != nullptr) {
        OpenServerSet(FullPath(m_startUpArguments.front().c_str()), false);
    }
}

// Running servers would be dropped from the table and go on unwatched, so
// they are stopped first. Each refusal comes before the file dialog.
void CServerAdminDlg::OnOpenServerSet()
{
    if (g_serverManager == nullptr)
        return;
    if (g_serverManager->CountRunning() > 0) {
        MessageBox("Stop the running servers before opening a server set.", kNotOpenedCaption,
                   MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (!m_serverSet.TableKept(*g_serverManager)) {
        char question[192];
        std::snprintf(question, sizeof question,
                      "The table holds %d server(s) that no server set keeps. Replace them with the servers of a "
                      "set?",
                      static_cast<int>(g_serverManager->count));
        if (MessageBox(question, kOpenCaption, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
    }
    CFileDialog dialog(true, kServerSetExtension, nullptr,
                       OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR, kServerSetFilter,
                       this);
    if (dialog.DoModal() == IDOK)
        OpenServerSet(dialog.GetPathName(), true);
}

// The servers are back, and the set written, before the list of ignored
// values waits for the operator.
void CServerAdminDlg::OpenServerSet(const std::string& path, bool askBeforeStarting)
{
    std::vector<std::string> ignored;
    std::string failure;
    if (!m_serverSet.Open(path, ServerSetRulesOfLists(), *g_serverManager, ignored, failure)) {
        ReportSetFailure(*this, kNotOpenedCaption, "opened", path, failure);
        return;
    }
    m_history.SetOpening(path);
    ShowCaption();
    ShowServerList();
    RestoreRunningServers(askBeforeStarting);
    m_history.SetOpened(path, g_serverManager->count);
    RefreshFromCurrent();
    SaveServerSetIfChanged();
    if (!ignored.empty()) {
        const std::string text = "These values of the server set\n" + path +
                                 "\nwere not taken; their settings keep their defaults:\n\n" + IgnoredValuesList(ignored);
        MessageBox(text.c_str(), kIgnoredCaption, MB_OK | MB_ICONINFORMATION);
    }
}

// Until the question is answered, the servers to start stay marked running
// with the processes the set recorded, as the set keeps them meanwhile; the
// watchdog cannot look at a process it holds no handle of, so it leaves them
// alone.
void CServerAdminDlg::RestoreRunningServers(bool askBeforeStarting)
{
    std::vector<int> toStart;
    for (int slot = 0; slot < kMaxServers; ++slot) {
        const ServerConfig* server = g_serverManager->slots[slot];
        if (server != nullptr && server->running == 1 && !g_serverManager->AdoptServer(slot))
            toStart.push_back(slot);
    }
    if (toStart.empty())
        return;
    bool start = true;
    if (askBeforeStarting) {
        char question[128];
        std::snprintf(question, sizeof question, "Start the %d servers that were running when this set was saved?",
                      static_cast<int>(toStart.size()));
        start = MessageBox(question, kOpenCaption, MB_YESNO | MB_ICONQUESTION) == IDYES;
    }
    for (const int slot : toStart) {
        ServerConfig* server = g_serverManager->slots[slot];
        server->running = 0;
        server->process = ProcessRecord{};
        server->processCreated = 0;
        if (start)
            g_serverManager->StartServer(slot, StartCause::Set);
    }
}

void CServerAdminDlg::OnSaveServerSetAs()
{
    if (g_serverManager == nullptr)
        return;
    CFileDialog dialog(false, kServerSetExtension, nullptr,
                       OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR, kServerSetFilter,
                       this);
    if (dialog.DoModal() != IDOK)
        return;
    const std::string path = dialog.GetPathName();
    std::string failure;
    if (!m_serverSet.SaveAs(path, *g_serverManager, failure)) {
        m_history.SetNotSaved(path, failure);
        ReportSetFailure(*this, kNotSavedCaption, "saved", path, failure);
        return;
    }
    m_history.SetSaved(path);
    ShowCaption();
}
