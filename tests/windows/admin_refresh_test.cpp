// What a refresh leaves alone when nothing changed, and what it picks up
// from the level-script folder when something did.
#include <filesystem>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/windows/admin_window_fixture.h"

namespace {

BOOL CALLBACK CollectPendingPaint(HWND control, LPARAM pending)
{
    if (::GetUpdateRect(control, nullptr, FALSE))
        reinterpret_cast<std::vector<int>*>(pending)->push_back(::GetDlgCtrlID(control));
    return TRUE;
}

// The identifiers of the controls that wait to be repainted.
std::vector<int> ControlsToRepaint(HWND dialog)
{
    std::vector<int> pending;
    ::EnumChildWindows(dialog, CollectPendingPaint, reinterpret_cast<LPARAM>(&pending));
    return pending;
}

std::vector<std::string> MapItems(HWND dialog)
{
    std::vector<std::string> items;
    for (int i = 0; i < ItemCount(dialog, IDC_MAP); ++i)
        items.push_back(ItemText(dialog, IDC_MAP, i));
    return items;
}

}  // namespace

TEST_F(AdminWindowTest, RefreshWithNothingChangedRepaintsNothingAndKeepsTheMapListOpen)
{
    m_game.AddFile("TeamDeathMatch", "alpha.dls");
    m_game.AddFile("TeamDeathMatch", "Beta.dls");
    ServerConfig& server = AddServer();
    // Away from the defaults, so the address, the rotation group and a map
    // other than the first are shown too.
    server.useExternIp = 1;
    server.useMapRotation = 1;
    CopyText(server.rotationFile, "C:\\rotations\\a.map");
    CopyText(server.mapName, "beta");
    m_dialog.RefreshFromCurrent();
    ::ShowWindow(m_window, SW_SHOW);
    const HWND maps = ::GetDlgItem(m_window, IDC_MAP);
    ::SendMessageA(maps, CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(::SendMessageA(maps, CB_GETDROPPEDSTATE, 0, 0));
    ::RedrawWindow(m_window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ASSERT_EQ(ControlsToRepaint(m_window), std::vector<int>());

    m_dialog.RefreshFromCurrent();
    EXPECT_TRUE(::SendMessageA(maps, CB_GETDROPPEDSTATE, 0, 0));
    EXPECT_EQ(ControlsToRepaint(m_window), std::vector<int>());
    EXPECT_EQ(SelectedItem(m_window, IDC_MAP), "Beta");
    ::SendMessageA(maps, CB_SHOWDROPDOWN, FALSE, 0);
}

TEST_F(AdminWindowTest, RefreshShowsMapFilesAddedRemovedAndRenamedOnDisk)
{
    m_game.AddFile("TeamDeathMatch", "alpha.dls");
    m_game.AddFile("TeamDeathMatch", "Beta.dls");
    ServerConfig& server = AddServer();
    ASSERT_STREQ(server.mapName, "alpha");
    const std::filesystem::path folder = m_game.Root() + "\\Data\\LevelScripts\\TeamDeathMatch";

    m_game.AddFile("TeamDeathMatch", "Canyon.dls");
    m_dialog.RefreshFromCurrent();
    EXPECT_EQ(MapItems(m_window), (std::vector<std::string>{"alpha", "Beta", "Canyon"}));
    EXPECT_EQ(SelectedItem(m_window, IDC_MAP), "alpha");

    // The record keeps a map that went; the list shows its first map.
    ASSERT_TRUE(std::filesystem::remove(folder / "alpha.dls"));
    m_dialog.RefreshFromCurrent();
    EXPECT_EQ(MapItems(m_window), (std::vector<std::string>{"Beta", "Canyon"}));
    EXPECT_EQ(SelectedItem(m_window, IDC_MAP), "Beta");
    EXPECT_STREQ(server.mapName, "alpha");

    // As many maps as before, but not the same ones.
    std::filesystem::rename(folder / "Canyon.dls", folder / "Dunes.dls");
    m_dialog.RefreshFromCurrent();
    EXPECT_EQ(MapItems(m_window), (std::vector<std::string>{"Beta", "Dunes"}));
}

// Typed, then stored on leaving the edit: back in it untouched, the operator
// is not typing, and a refresh shows the record as it now is (a set opened
// from the system menu leaves the focus where it was).
TEST_F(AdminWindowTest, RefreshShowsTheRecordInAnEditWhoseTextWasStored)
{
    AddServer();
    const HWND name = ::GetDlgItem(m_window, IDC_NAME);
    ::SetFocus(name);
    ::SendMessageA(name, WM_CHAR, 'x', 1);
    ::SetFocus(::GetDlgItem(m_window, IDC_PORT));
    ::SetFocus(name);
    CopyText(Current().name, "Friday");
    m_dialog.RefreshFromCurrent();
    EXPECT_EQ(ControlText(m_window, IDC_NAME), "Friday");
}
