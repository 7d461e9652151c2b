#include "app/server_admin_app.h"

#include "admin/server_admin_dlg.h"

// The one application object; the entry point finds it once it exists.
static CServerAdminApp theApp;

// No settings or single-instance check: each copy of the tool has a table
// of its own. The command line may name a server set to open. Returning
// false ends the program.
BOOL CServerAdminApp::InitInstance()
{
    Enable3dControls();
    CServerAdminDlg dialog;
    dialog.SetStartUpArguments(CommandLineArguments());
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
