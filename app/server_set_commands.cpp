// The server set: opened with a command or named on the command line,
// saved with a command, and written again at the end of every action that
// changed the table (server_admin_dlg.cpp).
#include <cstdio>
#include <string>
#include <vector>

#include "admin/server_admin_dlg.h"
#include "app/server_admin_tool.h"
#include "framework/file_contents.h"
#include "framework/file_dialog.h"
#include "framework/paths.h"
#include "servers/server_manager.h"

namespace {

const char kNotOpenedCaption[] = "Server Set Not Opened";
const char kNotSavedCaption[] = "Server Set Not Saved";
const char kOpenCaption[] = "Open Server Set";
const char kIgnoredCaption[] = "Server Set Values Ignored";
const char kUsageCaption[] = "Command Line Not Understood";
const char kServerSetExtension[] = "ini";
const char kServerSetFilter[] = "Server sets (*.ini)|*.ini||";

// Names the file, then says why, as the rotation editor's box does.
void ReportSetFailure(const CWnd& window, const char* caption, const char* failedTo, const std::string& path,
                   const std::string& failure)
{
    const std::string text = FileFailureMessage(std::string("The server set could not be ") + failedTo, path, failure);
    window.MessageBox(text.c_str(), caption, MB_OK | MB_ICONERROR);
}

std::string ProgramName()
{
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, sizeof path);
    return FileNameOf(path);
}

}  // namespace

void ServerAdminTool::SaveServerSetIfChanged()
{
    if (g_serverManager == nullptr)
        return;
    const std::string failure = m_serverSet.SaveIfChanged(*g_serverManager);
    if (failure.empty())
        return;
    m_history.ServerSetNotSaved(m_serverSet.Path(), failure);
    ReportSetFailure(m_window, kNotSavedCaption, "saved", m_serverSet.Path(), failure);
}

void ServerAdminTool::ShowCaption() const
{
    const std::string caption = m_serverSet.IsOpen() ? m_serverSet.FileName() + " - " + m_caption : m_caption;
    m_window.SetWindowText(caption.c_str());
}

// Unattended starts (a scheduled task, a startup shortcut) are the reason
// for the argument: the set opens and its servers come back without a
// question.
void ServerAdminTool::OpenStartUpSet()
{
    // Its boxes belong to a window the operator can see.
    ::ShowWindow(m_window.GetSafeHwnd(), SW_SHOW);
    if (m_startUpArguments.size() > 1) {
        const std::string usage = "Usage: " + ProgramName() +
                                  " [SERVER-SET]\n\nGive at most one argument: the server set to open, in double "
                                  "quotes when its path holds blanks. The tool starts with an empty table.";
        m_window.MessageBox(usage.c_str(), kUsageCaption, MB_OK | MB_ICONERROR);
    } else if (g_serverManager != nullptr && !m_startUpArguments.empty()) {
        OpenServerSet(FullPath(m_startUpArguments.front().c_str()), false);
    }
}

// Running servers would be dropped from the table and go on unwatched, so
// they are stopped first. Each refusal comes before the file dialog.
void ServerAdminTool::OpenServerSet()
{
    if (g_serverManager == nullptr)
        return;
    if (g_serverManager->CountRunning() > 0) {
        m_window.MessageBox("Stop the running servers before opening a server set.", kNotOpenedCaption,
                            MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (!m_serverSet.ReplacingLosesNothing(*g_serverManager)) {
        char question[192];
        std::snprintf(question, sizeof question,
                      "The table holds %d server(s) that no server set keeps. Replace them with the servers of a "
                      "set?",
                      static_cast<int>(g_serverManager->count));
        if (m_window.MessageBox(question, kOpenCaption, MB_YESNO | MB_ICONQUESTION) != IDYES)
            return;
    }
    CFileDialog dialog(true, kServerSetExtension, nullptr,
                       OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR, kServerSetFilter,
                       &m_window);
    if (dialog.DoModal() == IDOK)
        OpenServerSet(dialog.GetPathName(), true);
}

// The servers are back, and the set written, before the list of ignored
// values waits for the operator.
void ServerAdminTool::OpenServerSet(const std::string& path, bool askBeforeStarting)
{
    std::vector<std::string> ignored;
    std::string failure;
    if (!m_serverSet.Open(path, *g_serverManager, ignored, failure)) {
        ReportSetFailure(m_window, kNotOpenedCaption, "opened", path, failure);
        return;
    }
    m_history.OpeningServerSet(path);
    ShowCaption();
    m_window.ShowServerList();
    g_serverManager->RestoreRunningServers([&](int toStart) {
        const std::string question = toStart == 1 ? std::string("Start the 1 server that was running when this set was saved?")
                                                  : "Start the " + std::to_string(toStart) +
                                                        " servers that were running when this set was saved?";
        return !askBeforeStarting ||
               m_window.MessageBox(question.c_str(), kOpenCaption, MB_YESNO | MB_ICONQUESTION) == IDYES;
    });
    m_history.ServerSetOpened(path, g_serverManager->count);
    m_window.RefreshFromCurrent();
    SaveServerSetIfChanged();
    if (!ignored.empty()) {
        const std::string text = "These values of the server set\n" + path +
                                 "\nwere not taken; their settings keep their defaults:\n\n" + IgnoredValuesList(ignored);
        m_window.MessageBox(text.c_str(), kIgnoredCaption, MB_OK | MB_ICONINFORMATION);
    }
}

void ServerAdminTool::SaveServerSetAs()
{
    if (g_serverManager == nullptr)
        return;
    CFileDialog dialog(false, kServerSetExtension, nullptr,
                       OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR, kServerSetFilter,
                       &m_window);
    if (dialog.DoModal() != IDOK)
        return;
    const std::string path = dialog.GetPathName();
    std::string failure;
    if (!m_serverSet.SaveAs(path, *g_serverManager, failure)) {
        m_history.ServerSetNotSaved(path, failure);
        ReportSetFailure(m_window, kNotSavedCaption, "saved", path, failure);
        return;
    }
    m_history.ServerSetSaved(path);
    ShowCaption();
}
