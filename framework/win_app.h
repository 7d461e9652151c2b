// The application object. The program has exactly one, constructed
// statically; the entry point hands control to its InitInstance and the
// program ends when that returns.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class CWnd;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();

    // Registers the common control classes the dialogs use (the address
    // control and the date-and-time picker among them) with the current
    // visual style.
    void Enable3dControls() const;
    static HICON LoadIcon(UINT id);
    // The icon's own image of the system's small-icon size, not the large
    // one shrunk.
    static HICON LoadSmallIcon(UINT id);
    // The program's arguments, the program's own name left out, split and
    // unquoted by the runtime's rules: blanks separate arguments, double
    // quotes keep them together.
    static std::vector<std::string> CommandLineArguments();

    // The running application, or null before it is constructed.
    static CWinApp* Instance();
    // The module whose resources the dialogs, strings and icons come from.
    static HINSTANCE ResourceInstance();

    CWnd* m_pMainWnd = nullptr;
};

// The window a modal window belongs to: the top-level window of its parent
// or, without a parent, of the application's main window once that exists.
// Null for the main window itself and before there is one.
HWND ModalOwner(HWND parent);

// The text of a string resource; empty when it is missing.
std::string LoadResourceString(UINT id);
