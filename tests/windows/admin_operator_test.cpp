// The operator's road through the admin window, with the real stand-in game
// server, the real open dialog and the real rotation editor.
#include <algorithm>
#include <functional>
#include <string>

#include "res/resource.h"
#include "servers/text_compare.h"
#include "standin/standin_protocol.h"
#include "tests/file_bytes.h"
#include "tests/support/standin_workspace_win.h"
#include "tests/windows/admin_window_fixture.h"

namespace {

const unsigned kEventTimeoutMs = 15000;

class AdminOperatorTest : public AdminWindowTest {
protected:
    void SetUp() override
    {
        AdminWindowTest::SetUp();
        ASSERT_TRUE(m_servers.Ready());
        m_game.AddFile("TeamDeathMatch", "Harbour.dls");
        m_game.AddFile("TeamDeathMatch", "Arena.dls");
        m_game.AddFile("TeamEscape", "Canyon.dls");
    }

    StandinEvent WaitForEvent(const char* name, unsigned long processId)
    {
        const StandinEvents found = m_servers.WaitForEvents(name, processId, kEventTimeoutMs);
        EXPECT_EQ(found.size(), 1u) << name;
        return found.empty() ? StandinEvent() : found.front();
    }

    // Runs Browse, answering the open dialog with `answer`.
    bool Browse(const std::function<void(HWND)>& answer)
    {
        ModalAnswerer answerer("Open", answer);
        Click(m_window, IDC_BROWSE);
        return answerer.Answered();
    }

    StandinWorkspace m_servers{m_game.BinFolder()};
};

}  // namespace

TEST_F(AdminOperatorTest, NewConfigureStartStop)
{
    Click(m_window, IDC_NEW);
    ASSERT_STREQ(Current().mapName, "Arena");
    TypeText(m_window, IDC_NAME, "Friday");
    TypeText(m_window, IDC_PORT, "27500");
    TypeText(m_window, IDC_PASSWORD, "pw");
    ChooseItem(m_window, IDC_GAMEMODE, "TeamEscape");
    ChooseItem(m_window, IDC_MAP, "Canyon");
    ChooseItem(m_window, IDC_PLAYON, "LAN");
    ChooseItem(m_window, IDC_MAXPLAYERS, "24");
    ChooseItem(m_window, IDC_MATCHTIME, "No limit");
    ChooseItem(m_window, IDC_FREEZETIME, "10 seconds");
    ChooseItem(m_window, IDC_ROUNDTIME, "3 min");
    ChooseItem(m_window, IDC_TEAM2SKINSET, "Custom2");
    TypeText(m_window, IDC_RANKPOINTS, "900");
    TypeText(m_window, IDC_DAMAGEMULTIPLIER, "2");
    TypeText(m_window, IDC_JUMPSLOWDOWN, "0.25");
    Click(m_window, IDC_RESPAWN);
    Click(m_window, IDC_HASH);
    Click(m_window, IDC_OPENCHAT);
    Click(m_window, IDC_USEEXTERNIP);
    TypeAddress(m_window, IDC_EXTERNIP, 203, 0, 113, 7);

    Click(m_window, IDC_START);
    ASSERT_EQ(Current().running, 1);
    const unsigned long pid = Current().process.dwProcessId;
    const StandinEvent start = WaitForEvent(standin::kStartEvent, pid);
    EXPECT_EQ(start.Field("cmdline"),
              " +server Friday +password pw +port 27500 +map TeamEscape\\Canyon +lan +maxplayers 24"
              " +freezetime 10 +roundtime 3 +team2skinset 2 +rankpoints 900 +damagemultiplier 2.000000"
              " +jumpslowdown 0.250000 +friendlyfire +dedicated +respawn +specall +allowshadows +minimize"
              " +pure +anticheat +openchat +externip 203.0.113.7");

    // Running: everything shown, only "Stop" (besides "New" and the list).
    EXPECT_FALSE(IsControlEnabled(m_window, IDC_NAME));
    EXPECT_FALSE(IsControlEnabled(m_window, IDC_START));
    EXPECT_FALSE(IsControlEnabled(m_window, IDC_DELETE));
    EXPECT_TRUE(IsControlEnabled(m_window, IDC_STOP));
    EXPECT_EQ(ControlText(m_window, IDC_NAME), "Friday");

    Click(m_window, IDC_STOP);
    EXPECT_EQ(Current().running, 0);
    EXPECT_EQ(WaitForEvent(standin::kQuitEvent, pid).Field("wparam"), "259");
    EXPECT_TRUE(m_servers.WaitAllEnded(5000));
    EXPECT_TRUE(IsControlEnabled(m_window, IDC_START));
    EXPECT_FALSE(IsControlEnabled(m_window, IDC_STOP));
}

TEST_F(AdminOperatorTest, FailedStartLeavesTheServerEditable)
{
    ASSERT_TRUE(m_servers.RemoveProgram());
    Click(m_window, IDC_NEW);
    Click(m_window, IDC_START);
    EXPECT_EQ(Current().running, 0);
    EXPECT_TRUE(IsControlEnabled(m_window, IDC_START));
    EXPECT_FALSE(IsControlEnabled(m_window, IDC_STOP));
}

TEST_F(AdminOperatorTest, BrowseStoresANewFilesFullPath)
{
    Click(m_window, IDC_NEW);
    Click(m_window, IDC_USEMAPROTATION);
    const std::string path = m_game.Root() + "\\weekend.map";
    EXPECT_TRUE(Browse([&](HWND dialog) { ChooseFileName(dialog, path); }));
    EXPECT_TRUE(EqualNoCase(Current().rotationFile, path.c_str())) << Current().rotationFile;
    EXPECT_EQ(::GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);  // named, not made
    EXPECT_EQ(ControlText(m_window, IDC_ROTATIONBUTTON), "Edit");
    EXPECT_EQ(ControlText(m_window, IDC_ROTATIONFILE), Current().rotationFile);
    // The working directory, on which maps and launches depend, is kept.
    char directory[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, directory);
    EXPECT_TRUE(EqualNoCase(directory, m_game.BinFolder().c_str())) << directory;
}

TEST_F(AdminOperatorTest, CancelledBrowseChangesNothing)
{
    Click(m_window, IDC_NEW);
    CopyText(Current().rotationFile, "C:\\old.map");
    EXPECT_TRUE(Browse([](HWND dialog) { PressButton(dialog, IDCANCEL); }));
    EXPECT_STREQ(Current().rotationFile, "C:\\old.map");
}

TEST_F(AdminOperatorTest, BrowseRefusesAPathTooLongForTheRecord)
{
    Click(m_window, IDC_NEW);
    // A folder whose files' full paths are 256 characters or more, though
    // still within the system's path limit.
    std::string folder = m_game.Root();
    while (folder.size() < 240)
        folder += "\\" + std::string(std::min<std::size_t>(40, 240 - folder.size()), 'f');
    for (std::size_t end = m_game.Root().size() + 1; end <= folder.size(); ++end) {
        if (end == folder.size() || folder[end] == '\\')
            ::CreateDirectoryA(folder.substr(0, end).c_str(), nullptr);
    }
    const std::string path = folder + "\\" + std::string(252 - folder.size(), 'r') + ".map";  // 257 in all
    ASSERT_GE(path.size(), kTextSize);
    ASSERT_LT(path.size(), static_cast<std::size_t>(MAX_PATH));
    EXPECT_TRUE(Browse([&](HWND dialog) { ChooseFileName(dialog, path); }));
    EXPECT_STREQ(Current().rotationFile, "");
    EXPECT_EQ(ControlText(m_window, IDC_ROTATIONBUTTON), "New");
}

TEST_F(AdminOperatorTest, RotationButtonOpensTheEditorOnTheCurrentServer)
{
    Click(m_window, IDC_NEW);
    Click(m_window, IDC_USEMAPROTATION);
    // Written without the blanks the editor writes, so that a write back
    // shows in the file.
    const std::string path = m_game.Root() + "\\cycle.map";
    const std::string typedByHand = "Map=TeamEscape\\Canyon;\r\n";
    WriteFileBytes(path, typedByHand);
    TypeText(m_window, IDC_ROTATIONFILE, path);
    ASSERT_EQ(Current().gameMode, 4);

    // Cancelled: nothing written, nothing changed, no refresh.
    ::SetDlgItemTextA(m_window, IDC_PORT, "typed");
    std::string shownPath;
    {
        ModalAnswerer answerer("Map Rotation", [&](HWND editor) {
            shownPath = ControlText(editor, IDC_ROTATION_PATH);
            PressButton(editor, IDCANCEL);
        });
        Click(m_window, IDC_ROTATIONBUTTON);
        EXPECT_TRUE(answerer.Answered());
    }
    EXPECT_EQ(shownPath, path);
    EXPECT_EQ(ReadFileBytes(path), typedByHand);
    EXPECT_EQ(ControlText(m_window, IDC_PORT), "typed");
    EXPECT_EQ(Current().gameMode, 4);

    // OK: the file is written back and the window refreshed.
    {
        ModalAnswerer answerer("Map Rotation", [](HWND editor) { PressButton(editor, IDOK); });
        Click(m_window, IDC_ROTATIONBUTTON);
        EXPECT_TRUE(answerer.Answered());
    }
    EXPECT_EQ(ReadFileBytes(path), "Map = TeamEscape\\Canyon;\r\n");
    EXPECT_EQ(ControlText(m_window, IDC_PORT), "27015");
    EXPECT_EQ(Current().gameMode, 4);
    EXPECT_EQ(SelectedItem(m_window, IDC_GAMEMODE), "TeamDeathMatch");
    EXPECT_EQ(ControlText(m_window, IDC_ROTATIONBUTTON), "Edit");
}

// A file dialog leaves the working directory elsewhere: the server still
// starts, and works, in the game folder (its log is there), and the maps
// listed are still the game's.
TEST_F(AdminOperatorTest, StartAndMapsKeepTheGameFolder)
{
    Click(m_window, IDC_NEW);
    ASSERT_TRUE(::SetCurrentDirectoryA(m_game.Root().c_str()));
    Click(m_window, IDC_START);
    ASSERT_EQ(Current().running, 1);
    WaitForEvent(standin::kStartEvent, Current().process.dwProcessId);
    EXPECT_EQ(ItemCount(m_window, IDC_MAP), 2);
    EXPECT_EQ(SelectedItem(m_window, IDC_MAP), "Arena");
}
