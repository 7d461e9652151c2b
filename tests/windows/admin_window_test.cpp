// The admin window's display: what a refresh shows for each state, and the
// window's frame behaviour (system menu, timer, closing).
#include <iterator>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/windows/admin_window_fixture.h"

namespace {

// The 33 controls that edit a record.
const int kSettings[] = {
    IDC_JUMPSLOWDOWN, IDC_OPENCHAT,   IDC_ANTICHEAT,    IDC_TEAM2SKINSET, IDC_TEAM1SKINSET, IDC_HASH,
    IDC_DAMAGEMULTIPLIER, IDC_IMMEDIATEPLAY, IDC_RANKPOINTS, IDC_ROUNDTIME, IDC_ALLOWSHADOWS, IDC_FREEZETIME,
    IDC_ROTATIONBUTTON, IDC_BROWSE,   IDC_ROTATIONFILE, IDC_MAPTIME,      IDC_USEMAPROTATION, IDC_EXTERNIP,
    IDC_USEEXTERNIP, IDC_MATCHTIME,   IDC_MAP,          IDC_MINIMIZE,     IDC_PURE,         IDC_RESPAWN,
    IDC_SPECTATEALL, IDC_DEDICATED,   IDC_FRIENDLYFIRE, IDC_MAXPLAYERS,   IDC_PLAYON,       IDC_GAMEMODE,
    IDC_PORT,        IDC_NAME,        IDC_PASSWORD,
};

const int kChecks[] = {IDC_FRIENDLYFIRE, IDC_DEDICATED, IDC_RESPAWN, IDC_SPECTATEALL, IDC_IMMEDIATEPLAY,
                       IDC_ALLOWSHADOWS, IDC_PURE,      IDC_HASH,    IDC_ANTICHEAT,   IDC_OPENCHAT,
                       IDC_MINIMIZE,     IDC_USEEXTERNIP, IDC_USEMAPROTATION};

const int kLists[] = {IDC_GAMEMODE,  IDC_MAP,       IDC_PLAYON,       IDC_MAXPLAYERS,  IDC_MATCHTIME, IDC_FREEZETIME,
                      IDC_ROUNDTIME, IDC_MAPTIME,   IDC_TEAM1SKINSET, IDC_TEAM2SKINSET};

std::vector<int> EnabledSettings(HWND window)
{
    std::vector<int> enabled;
    for (int id : kSettings) {
        if (IsControlEnabled(window, id))
            enabled.push_back(id);
    }
    return enabled;
}

}  // namespace

TEST_F(AdminWindowTest, StartsWithOnlyNewAndTheServerListEnabled)
{
    EXPECT_TRUE(EnabledSettings(m_window).empty());
    EXPECT_FALSE(IsControlEnabled(m_window, IDC_START));
    EXPECT_FALSE(IsControlEnabled(m_window, IDC_STOP));
    EXPECT_FALSE(IsControlEnabled(m_window, IDC_DELETE));
    EXPECT_TRUE(IsControlEnabled(m_window, IDC_NEW));
    EXPECT_TRUE(IsControlEnabled(m_window, IDC_SERVERLIST));
    EXPECT_EQ(ControlText(m_window, IDC_ROTATIONBUTTON), "N&ew...");
    EXPECT_EQ(ControlText(m_window, IDC_NAME), "");
    EXPECT_EQ(ControlText(m_window, IDC_PORT), "");
    for (int id : kChecks)
        EXPECT_FALSE(IsChecked(m_window, id)) << id;
    for (int id : kLists)
        EXPECT_EQ(SelectedItem(m_window, id), "") << id;
    // The template's items are loaded, though none is selected (which
    // items they are is the resources test's).
    EXPECT_EQ(ItemCount(m_window, IDC_GAMEMODE), 6);
    EXPECT_EQ(g_serverManager->count, 0);
}

// The system's own items first, then ours, each group below a separator,
// with the shortcuts of the menu bar's items; the options also in Options.
TEST_F(AdminWindowTest, SystemMenuEndsWithAboutTheServerSetItemsTheHistoryAndTheOptions)
{
    const HMENU menu = ::GetSystemMenu(m_window, FALSE);
    ASSERT_NE(menu, nullptr);
    const struct {
        UINT id;
        const char* text;
    } tail[] = {
        {0, ""}, {IDM_ABOUTBOX, "&About QYR SAT..."}, {0, ""},
        {IDM_OPENSERVERSET, "&Open Server Set...\tCtrl+O"}, {IDM_SAVESERVERSETAS, "Save Server Se&t As...\tCtrl+Shift+S"},
        {0, ""}, {IDM_SERVERHISTORY, "Server &History...\tCtrl+H"}, {0, ""}, {IDM_WATCHDOG, "&Watchdog..."},
        {IDM_ALERTS, "A&lerts..."},
    };
    const int items = static_cast<int>(std::size(tail));
    const int count = ::GetMenuItemCount(menu);
    ASSERT_GT(count, items);
    for (int i = 0; i < items; ++i) {
        const int position = count - items + i;
        char text[64] = "";
        ::GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(text, tail[i].text) << position;
        EXPECT_EQ(::GetMenuItemID(menu, position), tail[i].id) << position;
        EXPECT_EQ((::GetMenuState(menu, position, MF_BYPOSITION) & MF_SEPARATOR) != 0, tail[i].id == 0) << position;
    }
    const HMENU options = ::GetSubMenu(::GetMenu(m_window), 2);  // File, Server, Options
    ASSERT_EQ(::GetMenuItemCount(options), 2);
    EXPECT_EQ(::GetMenuItemID(options, 0), static_cast<UINT>(IDM_WATCHDOG));
    EXPECT_EQ(::GetMenuItemID(options, 1), static_cast<UINT>(IDM_ALERTS));
}

TEST_F(AdminWindowTest, DefaultServerShowsEveryDefault)
{
    m_game.AddFile("TeamDeathMatch", "Beta.dls");
    m_game.AddFile("TeamDeathMatch", "alpha.dls");
    ServerConfig& server = AddServer();

    EXPECT_EQ(ControlText(m_window, IDC_NAME), "qyr");
    EXPECT_EQ(ControlText(m_window, IDC_PORT), "27015");
    EXPECT_EQ(ControlText(m_window, IDC_RANKPOINTS), "700");
    EXPECT_EQ(ControlText(m_window, IDC_DAMAGEMULTIPLIER), "1.500000");
    EXPECT_EQ(ControlText(m_window, IDC_JUMPSLOWDOWN), "0.500000");
    EXPECT_EQ(ControlText(m_window, IDC_PASSWORD), "");
    EXPECT_EQ(SelectedItem(m_window, IDC_GAMEMODE), "TeamDeathMatch");
    EXPECT_EQ(SelectedItem(m_window, IDC_PLAYON), "Internet");
    EXPECT_EQ(SelectedItem(m_window, IDC_MAXPLAYERS), "16");
    EXPECT_EQ(SelectedItem(m_window, IDC_MATCHTIME), "30 min");
    EXPECT_EQ(SelectedItem(m_window, IDC_FREEZETIME), "4 seconds");
    EXPECT_EQ(SelectedItem(m_window, IDC_ROUNDTIME), "5 min");
    EXPECT_EQ(SelectedItem(m_window, IDC_TEAM1SKINSET), "Original");
    EXPECT_EQ(SelectedItem(m_window, IDC_TEAM2SKINSET), "Original");
    EXPECT_EQ(SelectedItem(m_window, IDC_MAPTIME), "No limit");

    // The alphabetically first map becomes the server's map.
    EXPECT_STREQ(server.mapName, "alpha");
    EXPECT_EQ(SelectedItem(m_window, IDC_MAP), "alpha");
    EXPECT_EQ(ItemText(m_window, IDC_MAP, 1), "Beta");

    const int checked[] = {IDC_FRIENDLYFIRE, IDC_DEDICATED, IDC_SPECTATEALL, IDC_ALLOWSHADOWS,
                           IDC_PURE,         IDC_HASH,      IDC_ANTICHEAT,   IDC_MINIMIZE};
    for (int id : checked)
        EXPECT_TRUE(IsChecked(m_window, id)) << id;
    const int unchecked[] = {IDC_RESPAWN, IDC_IMMEDIATEPLAY, IDC_OPENCHAT, IDC_USEEXTERNIP, IDC_USEMAPROTATION};
    for (int id : unchecked)
        EXPECT_FALSE(IsChecked(m_window, id)) << id;

    EXPECT_EQ(ControlText(m_window, IDC_ROTATIONBUTTON), "N&ew...");
    EXPECT_EQ(AddressText(m_window, IDC_EXTERNIP), "0.0.0.0");

    const std::vector<int> disabled = {IDC_EXTERNIP, IDC_ROTATIONFILE, IDC_MAPTIME, IDC_ROTATIONBUTTON, IDC_BROWSE};
    for (int id : kSettings) {
        const bool expectDisabled = std::find(disabled.begin(), disabled.end(), id) != disabled.end();
        EXPECT_EQ(IsControlEnabled(m_window, id), !expectDisabled) << id;
    }
    EXPECT_TRUE(IsControlEnabled(m_window, IDC_START));
    EXPECT_TRUE(IsControlEnabled(m_window, IDC_DELETE));
    EXPECT_FALSE(IsControlEnabled(m_window, IDC_STOP));
}

TEST_F(AdminWindowTest, RunningServerShowsItsSettingsDisabled)
{
    ServerConfig& server = AddServer();
    CopyText(server.password, "secret");
    server.useExternIp = 1;
    server.useMapRotation = 1;
    server.running = 1;
    m_dialog.RefreshFromCurrent();

    EXPECT_TRUE(EnabledSettings(m_window).empty());
    EXPECT_TRUE(IsControlEnabled(m_window, IDC_STOP));
    EXPECT_FALSE(IsControlEnabled(m_window, IDC_START));
    EXPECT_FALSE(IsControlEnabled(m_window, IDC_DELETE));
    EXPECT_TRUE(IsControlEnabled(m_window, IDC_NEW));
    EXPECT_TRUE(IsControlEnabled(m_window, IDC_SERVERLIST));
    EXPECT_EQ(ControlText(m_window, IDC_PASSWORD), "secret");
    EXPECT_TRUE(IsChecked(m_window, IDC_USEEXTERNIP));

    // Back to editable: the dependent controls follow their check boxes.
    server.running = 0;
    server.useMapRotation = 0;
    m_dialog.RefreshFromCurrent();
    EXPECT_TRUE(IsControlEnabled(m_window, IDC_EXTERNIP));
    EXPECT_FALSE(IsControlEnabled(m_window, IDC_BROWSE));
    EXPECT_FALSE(IsControlEnabled(m_window, IDC_STOP));
}

TEST_F(AdminWindowTest, LeadingNumberListsSelectByTheirItemsNumbers)
{
    ServerConfig& server = AddServer();
    server.maxPlayers = 0;
    server.matchTime = 120;
    server.freezeTime = 20;
    server.roundTime = 10;
    m_dialog.RefreshFromCurrent();
    EXPECT_EQ(SelectedItem(m_window, IDC_MAXPLAYERS), "No Limit");
    EXPECT_EQ(SelectedItem(m_window, IDC_MATCHTIME), "120 min");
    EXPECT_EQ(SelectedItem(m_window, IDC_FREEZETIME), "20 seconds");
    EXPECT_EQ(SelectedItem(m_window, IDC_ROUNDTIME), "10 min");

    // Values that match no item leave what the lists showed before.
    server.maxPlayers = 17;
    server.matchTime = 7;
    server.freezeTime = -3;
    server.roundTime = 11;
    m_dialog.RefreshFromCurrent();
    EXPECT_EQ(SelectedItem(m_window, IDC_MAXPLAYERS), "No Limit");
    EXPECT_EQ(SelectedItem(m_window, IDC_MATCHTIME), "120 min");
    EXPECT_EQ(SelectedItem(m_window, IDC_FREEZETIME), "20 seconds");
    EXPECT_EQ(SelectedItem(m_window, IDC_ROUNDTIME), "10 min");
    EXPECT_EQ(server.maxPlayers, 17);

    server.maxPlayers = 2;
    server.freezeTime = 1;
    m_dialog.RefreshFromCurrent();
    EXPECT_EQ(SelectedItem(m_window, IDC_MAXPLAYERS), "2");
    EXPECT_EQ(SelectedItem(m_window, IDC_FREEZETIME), "1 second");
}

TEST_F(AdminWindowTest, MapListKeepsTheRecordsSpellingAndMissingMaps)
{
    m_game.AddFile("TeamDeathMatch", "alpha.dls");
    m_game.AddFile("TeamDeathMatch", "Beta.dls");
    m_game.AddFile("Fallout", "Dunes.dls");
    ServerConfig& server = AddServer();

    CopyText(server.mapName, "BETA");
    m_dialog.RefreshFromCurrent();
    EXPECT_EQ(SelectedItem(m_window, IDC_MAP), "Beta");
    EXPECT_STREQ(server.mapName, "BETA");

    CopyText(server.mapName, "Harbour");
    m_dialog.RefreshFromCurrent();
    EXPECT_EQ(SelectedItem(m_window, IDC_MAP), "alpha");
    EXPECT_STREQ(server.mapName, "Harbour");

    // The refresh lists the record's mode, and finds maps added since.
    server.gameMode = 0;
    m_game.AddFile("Fallout", "Harbour.dls");
    m_dialog.RefreshFromCurrent();
    EXPECT_EQ(ItemCount(m_window, IDC_MAP), 2);
    EXPECT_EQ(SelectedItem(m_window, IDC_MAP), "Harbour");

    // A mode without maps: nothing to select, an empty map name stays empty.
    server.gameMode = 1;
    CopyText(server.mapName, "");
    m_dialog.RefreshFromCurrent();
    EXPECT_EQ(ItemCount(m_window, IDC_MAP), 0);
    EXPECT_STREQ(server.mapName, "");
}

TEST_F(AdminWindowTest, LongMapNamesAreComparedWhole)
{
    const std::string common(80, 'm');
    m_game.AddFile("TeamDeathMatch", common + "A.dls");
    m_game.AddFile("TeamDeathMatch", common + "B.dls");
    ServerConfig& server = AddServer();
    EXPECT_EQ(std::string(server.mapName), common + "A");
    CopyText(server.mapName, (common + "b").c_str());
    m_dialog.RefreshFromCurrent();
    EXPECT_EQ(SelectedItem(m_window, IDC_MAP), common + "B");
}

TEST_F(AdminWindowTest, RotationGroupFollowsUseMapRotation)
{
    ServerConfig& server = AddServer();
    server.mapTime = 30;
    CopyText(server.rotationFile, "C:\\rotations\\a.map");
    m_dialog.RefreshFromCurrent();
    EXPECT_EQ(SelectedItem(m_window, IDC_MAPTIME), "No limit");
    EXPECT_FALSE(IsControlEnabled(m_window, IDC_MAPTIME));
    EXPECT_EQ(ControlText(m_window, IDC_ROTATIONBUTTON), "&Edit...");
    EXPECT_FALSE(IsControlEnabled(m_window, IDC_ROTATIONBUTTON));
    EXPECT_EQ(ControlText(m_window, IDC_ROTATIONFILE), "C:\\rotations\\a.map");
    EXPECT_EQ(server.mapTime, 30);

    server.useMapRotation = 1;
    m_dialog.RefreshFromCurrent();
    EXPECT_EQ(SelectedItem(m_window, IDC_MAPTIME), "30 min");
    EXPECT_TRUE(IsChecked(m_window, IDC_USEMAPROTATION));
    for (int id : {IDC_ROTATIONFILE, IDC_MAPTIME, IDC_ROTATIONBUTTON, IDC_BROWSE})
        EXPECT_TRUE(IsControlEnabled(m_window, id)) << id;

    CopyText(server.rotationFile, "");
    m_dialog.RefreshFromCurrent();
    EXPECT_EQ(ControlText(m_window, IDC_ROTATIONBUTTON), "N&ew...");
}

TEST_F(AdminWindowTest, AddressShowsAllFourBytes)
{
    ServerConfig& server = AddServer();
    const std::uint8_t address[4] = {192, 0, 2, 255};
    std::copy(address, address + 4, server.externIp);
    server.useExternIp = 1;
    m_dialog.RefreshFromCurrent();
    EXPECT_EQ(AddressText(m_window, IDC_EXTERNIP), "192.0.2.255");
    EXPECT_TRUE(IsControlEnabled(m_window, IDC_EXTERNIP));
}

TEST_F(AdminWindowTest, WithoutACurrentRecordControlsKeepWhatTheyShowed)
{
    AddServer();
    ASSERT_TRUE(g_serverManager->DeleteCurrentServer());
    m_dialog.RefreshFromCurrent();
    EXPECT_TRUE(EnabledSettings(m_window).empty());
    EXPECT_FALSE(IsControlEnabled(m_window, IDC_START));
    EXPECT_FALSE(IsControlEnabled(m_window, IDC_DELETE));
    EXPECT_EQ(ControlText(m_window, IDC_NAME), "qyr");
    EXPECT_EQ(SelectedItem(m_window, IDC_MATCHTIME), "30 min");
}
