#include "tests/windows/admin_window_fixture.h"

#include "framework/win_app.h"

void AdminWindowTest::SetUp()
{
    const CWinApp app;
    app.Enable3dControls();
    ASSERT_TRUE(m_dialog.Create());
    m_window = m_dialog.GetSafeHwnd();
    ASSERT_NE(g_serverManager, nullptr);
}

void AdminWindowTest::TearDown()
{
    if (::IsWindow(m_window))
        ::DestroyWindow(m_window);
    // The window frees the table when it goes.
    EXPECT_EQ(g_serverManager, nullptr);
}

ServerConfig& AdminWindowTest::AddServer()
{
    EXPECT_TRUE(g_serverManager->AddServer());
    m_dialog.RefreshFromCurrent();
    return Current();
}
