// The application: runs the admin window, and ends when it closes.
#pragma once

#include "framework/win_app.h"

class CServerAdminApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
