// The program's entry point: everything happens in the application object's
// InitInstance. Without a message loop of its own, the program ends when
// InitInstance returns, whatever it returns.
#include <windows.h>

#include "framework/win_app.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    CWinApp* app = CWinApp::Instance();
    if (app != nullptr)
        app->InitInstance();
    return 0;
}
