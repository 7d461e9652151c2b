#include "framework/win_app.h"

#include <commctrl.h>

#include <cstdlib>

#include "framework/wnd.h"

namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp()
{
    g_app = this;
}

CWinApp::~CWinApp()
{
    if (g_app == this)
        g_app = nullptr;
}

BOOL CWinApp::InitInstance()
{
    return FALSE;
}

void CWinApp::Enable3dControls() const
{
    INITCOMMONCONTROLSEX classes = {sizeof classes,
                                    ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES | ICC_INTERNET_CLASSES | ICC_DATE_CLASSES};
    ::InitCommonControlsEx(&classes);
}

HICON CWinApp::LoadIcon(UINT id)
{
    return ::LoadIconA(ResourceInstance(), MAKEINTRESOURCEA(id));
}

HICON CWinApp::LoadSmallIcon(UINT id)
{
    return static_cast<HICON>(::LoadImageA(ResourceInstance(), MAKEINTRESOURCEA(id), IMAGE_ICON,
                                           ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON),
                                           LR_SHARED));
}

std::vector<std::string> CWinApp::CommandLineArguments()
{
    std::vector<std::string> arguments;
    for (int i = 1; i < __argc; ++i)
        arguments.emplace_back(__argv[i]);
    return arguments;
}

CWinApp* CWinApp::Instance()
{
    return g_app;
}

HINSTANCE CWinApp::ResourceInstance()
{
    return ::GetModuleHandleA(nullptr);
}

HWND ModalOwner(HWND parent)
{
    HWND owner = parent;
    if (owner == nullptr && g_app != nullptr && g_app->m_pMainWnd != nullptr)
        owner = g_app->m_pMainWnd->GetSafeHwnd();
    return owner != nullptr ? ::GetAncestor(owner, GA_ROOT) : nullptr;
}

std::string LoadResourceString(UINT id)
{
    // LoadString cuts silently at the buffer's end, so a text that fills the
    // buffer is read again into a larger one.
    std::string text(256, '\0');
    for (;;) {
        const int length = ::LoadStringA(CWinApp::ResourceInstance(), id, &text[0], static_cast<int>(text.size()));
        if (length <= 0)
            return std::string();
        if (static_cast<std::size_t>(length) + 1 < text.size()) {
            text.resize(static_cast<std::size_t>(length));
            return text;
        }
        text.resize(text.size() * 2);
    }
}
