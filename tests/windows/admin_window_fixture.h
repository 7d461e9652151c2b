// A real admin window, created modeless from its template over a throw-away
// game folder, with the table it creates.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include "admin/server_admin_dlg.h"
#include "servers/server_manager.h"
#include "tests/windows/temp_game_tree.h"
#include "tests/windows/window_probe.h"

class AdminWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Adds a server to the table and shows it, as the tool does after "New".
    ServerConfig& AddServer();
    ServerConfig& Current() const { return *g_serverManager->Current(); }

    UnexpectedModalGuard m_modalGuard;  // first made, last gone
    TempGameTree m_game;
    CServerAdminDlg m_dialog;
    HWND m_window = nullptr;
};
