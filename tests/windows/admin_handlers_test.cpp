// The admin window's handlers, driven by the notifications its controls
// send when the operator acts on them.
#include <climits>
#include <string>
#include <vector>

#include "res/resource.h"
#include "tests/windows/admin_window_fixture.h"

namespace {

class AdminHandlersTest : public AdminWindowTest {
protected:
    void New() { Click(m_window, IDC_NEW); }

    std::vector<std::string> ServerList() const
    {
        std::vector<std::string> names;
        const HWND list = ::GetDlgItem(m_window, IDC_SERVERLIST);
        const int count = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char name[kTextSize] = "";
            ::SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(name));
            names.push_back(name);
        }
        return names;
    }

    int SelectedServerEntry() const
    {
        return static_cast<int>(::SendDlgItemMessageA(m_window, IDC_SERVERLIST, LB_GETCURSEL, 0, 0));
    }

    void SelectServerEntry(int index)
    {
        ::SendDlgItemMessageA(m_window, IDC_SERVERLIST, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
        Notify(m_window, IDC_SERVERLIST, LBN_SELCHANGE);
    }

    void Rename(int entry, const std::string& name)
    {
        SelectServerEntry(entry);
        TypeText(m_window, IDC_NAME, name);
    }
};

}  // namespace

TEST_F(AdminHandlersTest, NewAddsSelectsAndShowsEachServer)
{
    New();
    New();
    EXPECT_EQ(ServerList(), (std::vector<std::string>{"qyr", "qyr(1)"}));
    EXPECT_EQ(SelectedServerEntry(), 1);
    EXPECT_EQ(ControlText(m_window, IDC_NAME), "qyr(1)");
    EXPECT_EQ(ControlText(m_window, IDC_PORT), "27016");
    EXPECT_TRUE(IsControlEnabled(m_window, IDC_START));

    SelectServerEntry(0);
    EXPECT_EQ(g_serverManager->current, 0);
    EXPECT_EQ(ControlText(m_window, IDC_PORT), "27015");
}

TEST_F(AdminHandlersTest, ThirtyThirdNewChangesNothing)
{
    for (int i = 0; i < kMaxServers; ++i)
        New();
    SelectServerEntry(3);
    const int current = g_serverManager->current;
    const std::vector<std::string> before = ServerList();
    New();
    EXPECT_EQ(ServerList(), before);
    EXPECT_EQ(g_serverManager->count, kMaxServers);
    EXPECT_EQ(g_serverManager->current, current);
    EXPECT_EQ(SelectedServerEntry(), 3);
}

TEST_F(AdminHandlersTest, ListsStoreTheirItemsNumbers)
{
    New();
    ChooseItem(m_window, IDC_MAXPLAYERS, "No Limit");
    EXPECT_EQ(Current().maxPlayers, 0);
    ChooseItem(m_window, IDC_MAXPLAYERS, "32");
    EXPECT_EQ(Current().maxPlayers, 32);
    ChooseItem(m_window, IDC_FREEZETIME, "No limit");
    EXPECT_EQ(Current().freezeTime, 0);
    ChooseItem(m_window, IDC_FREEZETIME, "20 seconds");
    EXPECT_EQ(Current().freezeTime, 20);
    ChooseItem(m_window, IDC_FREEZETIME, "1 second");
    EXPECT_EQ(Current().freezeTime, 1);
    ChooseItem(m_window, IDC_MATCHTIME, "45 min");
    EXPECT_EQ(Current().matchTime, 45);
    ChooseItem(m_window, IDC_ROUNDTIME, "15 min");
    EXPECT_EQ(Current().roundTime, 15);
    ChooseItem(m_window, IDC_MAPTIME, "120 min");
    EXPECT_EQ(Current().mapTime, 120);
    ChooseItem(m_window, IDC_TEAM1SKINSET, "Custom2");
    EXPECT_EQ(Current().team1SkinSet, 2);
    ChooseItem(m_window, IDC_TEAM2SKINSET, "Custom1");
    EXPECT_EQ(Current().team2SkinSet, 1);
    ChooseItem(m_window, IDC_PLAYON, "LAN");
    EXPECT_EQ(Current().playOn, 0);

    // A skin-set list without a selection leaves the field alone.
    ::SendDlgItemMessageA(m_window, IDC_TEAM1SKINSET, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    Notify(m_window, IDC_TEAM1SKINSET, CBN_SELCHANGE);
    EXPECT_EQ(Current().team1SkinSet, 2);
}

TEST_F(AdminHandlersTest, EditsStoreTheirNumbersOnLossOfFocus)
{
    New();
    TypeText(m_window, IDC_DAMAGEMULTIPLIER, "2,5");
    EXPECT_EQ(Current().damageMultiplier, 2.0f);
    TypeText(m_window, IDC_DAMAGEMULTIPLIER, "0.75");
    EXPECT_EQ(Current().damageMultiplier, 0.75f);
    TypeText(m_window, IDC_JUMPSLOWDOWN, "");
    EXPECT_EQ(Current().jumpSlowdown, 0.0f);
    TypeText(m_window, IDC_PORT, "27100");
    EXPECT_EQ(Current().port, 27100);
    TypeText(m_window, IDC_PORT, "");
    EXPECT_EQ(Current().port, 0);
    TypeText(m_window, IDC_RANKPOINTS, "1200");
    EXPECT_EQ(Current().rankPoints, 1200);

    // Beyond the integer range the number is clamped, not undefined.
    TypeText(m_window, IDC_RANKPOINTS, "99999999999");
    EXPECT_EQ(Current().rankPoints, INT_MAX);
    // Only the first 15 characters count.
    TypeText(m_window, IDC_PORT, "000000000000000123");
    EXPECT_EQ(Current().port, 0);

    // Typing alone stores nothing; a refresh puts the stored value back.
    ::SetDlgItemTextA(m_window, IDC_PORT, "1");
    Notify(m_window, IDC_PORT, EN_CHANGE);
    EXPECT_EQ(Current().port, 0);
    m_dialog.RefreshFromCurrent();
    EXPECT_EQ(ControlText(m_window, IDC_PORT), "0");
}

TEST_F(AdminHandlersTest, TextEditsStoreWholeTextsCutToTheField)
{
    New();
    TypeText(m_window, IDC_PASSWORD, "secret word");
    EXPECT_STREQ(Current().password, "secret word");
    const std::string longName(300, 'n');
    TypeText(m_window, IDC_NAME, longName);
    EXPECT_EQ(std::string(Current().name), longName.substr(0, kTextSize - 1));
    TypeText(m_window, IDC_NAME, "");
    EXPECT_STREQ(Current().name, "");
}

TEST_F(AdminHandlersTest, CheckBoxesStoreTheirState)
{
    New();
    const std::pair<int, std::uint8_t ServerConfig::*> boxes[] = {
        {IDC_DEDICATED, &ServerConfig::dedicated},       {IDC_PURE, &ServerConfig::pure},
        {IDC_MINIMIZE, &ServerConfig::minimize},         {IDC_FRIENDLYFIRE, &ServerConfig::friendlyFire},
        {IDC_RESPAWN, &ServerConfig::respawn},           {IDC_IMMEDIATEPLAY, &ServerConfig::immediatePlay},
        {IDC_ALLOWSHADOWS, &ServerConfig::allowShadows}, {IDC_SPECTATEALL, &ServerConfig::spectateAll},
        {IDC_HASH, &ServerConfig::hash},                 {IDC_ANTICHEAT, &ServerConfig::antiCheat},
        {IDC_OPENCHAT, &ServerConfig::openChat},
    };
    for (const auto& box : boxes) {
        const std::uint8_t before = Current().*box.second;
        Click(m_window, box.first);
        EXPECT_EQ(Current().*box.second, before == 1 ? 0 : 1) << box.first;
        Click(m_window, box.first);
        EXPECT_EQ(Current().*box.second, before) << box.first;
    }
}

TEST_F(AdminHandlersTest, RenamedEntryKeepsItsPlace)
{
    New();
    New();
    New();
    Rename(0, "ant");
    Rename(1, "bee");
    Rename(2, "cat");
    ASSERT_EQ(ServerList(), (std::vector<std::string>{"ant", "bee", "cat"}));

    Rename(0, "zebra");
    EXPECT_EQ(ServerList(), (std::vector<std::string>{"zebra", "bee", "cat"}));
    EXPECT_EQ(SelectedServerEntry(), 0);
    EXPECT_STREQ(Current().name, "zebra");

    // A later server is placed by the list's own sorted insertion.
    New();
    const std::vector<std::string> names = ServerList();
    ASSERT_EQ(names.size(), 4u);
    EXPECT_EQ(names.front(), "zebra");
    EXPECT_EQ(names[static_cast<std::size_t>(SelectedServerEntry())], "qyr");
    EXPECT_STREQ(Current().name, "qyr");
}

TEST_F(AdminHandlersTest, TwoServersWithOneNameReachTheLowerSlot)
{
    New();
    New();
    Rename(1, "QYR");
    ASSERT_EQ(ServerList(), (std::vector<std::string>{"qyr", "QYR"}));
    SelectServerEntry(1);
    EXPECT_EQ(g_serverManager->current, 0);
    SelectServerEntry(0);
    EXPECT_EQ(g_serverManager->current, 0);
}

TEST_F(AdminHandlersTest, DeleteShowsTheFirstRemainingServer)
{
    New();
    New();
    New();
    SelectServerEntry(1);
    ASSERT_STREQ(Current().name, "qyr(1)");
    Click(m_window, IDC_DELETE);
    EXPECT_EQ(ServerList(), (std::vector<std::string>{"qyr", "qyr(2)"}));
    EXPECT_EQ(SelectedServerEntry(), 0);
    EXPECT_EQ(g_serverManager->current, 0);
    EXPECT_EQ(ControlText(m_window, IDC_NAME), "qyr");
    EXPECT_EQ(g_serverManager->count, 2);
}

TEST_F(AdminHandlersTest, DeletingTheOnlyServerResetsTheWindow)
{
    m_game.AddFile("TeamDeathMatch", "Harbour.dls");
    New();
    TypeText(m_window, IDC_PASSWORD, "kept");
    ChooseItem(m_window, IDC_MATCHTIME, "60 min");
    ChooseItem(m_window, IDC_FREEZETIME, "9 seconds");
    Click(m_window, IDC_USEEXTERNIP);
    Click(m_window, IDC_DELETE);

    EXPECT_TRUE(ServerList().empty());
    EXPECT_EQ(g_serverManager->count, 0);
    EXPECT_EQ(ControlText(m_window, IDC_NAME), "");
    EXPECT_EQ(ControlText(m_window, IDC_PORT), "");
    EXPECT_EQ(ItemCount(m_window, IDC_MAP), 0);
    EXPECT_EQ(AddressText(m_window, IDC_EXTERNIP), "");
    for (int id : {IDC_MINIMIZE, IDC_PURE, IDC_RESPAWN, IDC_SPECTATEALL, IDC_DEDICATED, IDC_FRIENDLYFIRE,
                   IDC_USEEXTERNIP})
        EXPECT_FALSE(IsChecked(m_window, id)) << id;
    EXPECT_EQ(SelectedItem(m_window, IDC_MATCHTIME), "No limit");
    EXPECT_EQ(SelectedItem(m_window, IDC_MAXPLAYERS), "No Limit");
    EXPECT_EQ(SelectedItem(m_window, IDC_PLAYON), "LAN");
    EXPECT_EQ(SelectedItem(m_window, IDC_GAMEMODE), "Fallout");
    // The rest keeps the deleted server's values.
    EXPECT_EQ(ControlText(m_window, IDC_PASSWORD), "kept");
    EXPECT_EQ(SelectedItem(m_window, IDC_FREEZETIME), "9 seconds");
    EXPECT_TRUE(IsChecked(m_window, IDC_HASH));
    for (int id : {IDC_NAME, IDC_PASSWORD, IDC_MAP, IDC_GAMEMODE, IDC_EXTERNIP, IDC_START, IDC_STOP, IDC_DELETE})
        EXPECT_FALSE(IsControlEnabled(m_window, id)) << id;
    EXPECT_TRUE(IsControlEnabled(m_window, IDC_NEW));
    EXPECT_TRUE(IsControlEnabled(m_window, IDC_SERVERLIST));
}

TEST_F(AdminHandlersTest, GameModeChangeKeepsTheRecordsMap)
{
    m_game.AddFile("TeamDeathMatch", "Harbour.dls");
    m_game.AddFile("TeamDeathMatch", "Arena.dls");
    m_game.AddFile("Fallout", "Dunes.dls");
    m_game.AddFile("Fallout", "Canyon.dls");
    m_game.AddFile("TeamEscape", "harbour.dls");
    New();
    ChooseItem(m_window, IDC_MAP, "Harbour");
    ASSERT_STREQ(Current().mapName, "Harbour");
    ::SetDlgItemTextA(m_window, IDC_NAME, "typed");

    ChooseItem(m_window, IDC_GAMEMODE, "Fallout");
    EXPECT_EQ(Current().gameMode, 0);
    EXPECT_EQ(SelectedItem(m_window, IDC_MAP), "Canyon");
    EXPECT_STREQ(Current().mapName, "Harbour");
    EXPECT_EQ(ControlText(m_window, IDC_NAME), "typed");  // no refresh

    ChooseItem(m_window, IDC_GAMEMODE, "TeamEscape");
    EXPECT_EQ(SelectedItem(m_window, IDC_MAP), "harbour");
    EXPECT_STREQ(Current().mapName, "Harbour");

    ChooseItem(m_window, IDC_MAP, "harbour");
    EXPECT_STREQ(Current().mapName, "harbour");
}

TEST_F(AdminHandlersTest, UseBoxesEnableTheirControlsWithoutARefresh)
{
    // Also without any server.
    Click(m_window, IDC_USEEXTERNIP);
    EXPECT_TRUE(IsControlEnabled(m_window, IDC_EXTERNIP));
    Click(m_window, IDC_USEEXTERNIP);
    EXPECT_FALSE(IsControlEnabled(m_window, IDC_EXTERNIP));

    New();
    Current().mapTime = 30;
    Click(m_window, IDC_USEMAPROTATION);
    EXPECT_EQ(Current().useMapRotation, 1);
    for (int id : {IDC_ROTATIONFILE, IDC_MAPTIME, IDC_ROTATIONBUTTON, IDC_BROWSE})
        EXPECT_TRUE(IsControlEnabled(m_window, id)) << id;
    EXPECT_EQ(SelectedItem(m_window, IDC_MAPTIME), "No limit");
    Click(m_window, IDC_USEMAPROTATION);
    EXPECT_EQ(Current().useMapRotation, 0);
    EXPECT_FALSE(IsControlEnabled(m_window, IDC_BROWSE));
}

TEST_F(AdminHandlersTest, AddressFieldsAreStoredAndKeptWhenUnused)
{
    New();
    Click(m_window, IDC_USEEXTERNIP);
    EXPECT_EQ(Current().useExternIp, 1);
    EXPECT_EQ(TypeAddress(m_window, IDC_EXTERNIP, 10, 0, 0, 5), 0);
    const std::uint8_t expected[4] = {10, 0, 0, 5};
    EXPECT_TRUE(std::equal(expected, expected + 4, Current().externIp));

    Click(m_window, IDC_USEEXTERNIP);
    EXPECT_EQ(Current().useExternIp, 0);
    Click(m_window, IDC_USEEXTERNIP);
    m_dialog.RefreshFromCurrent();
    EXPECT_EQ(AddressText(m_window, IDC_EXTERNIP), "10.0.0.5");
    EXPECT_TRUE(IsControlEnabled(m_window, IDC_EXTERNIP));
}

TEST_F(AdminHandlersTest, RotationPathEditSetsTheButtonCaption)
{
    New();
    Click(m_window, IDC_USEMAPROTATION);
    TypeText(m_window, IDC_ROTATIONFILE, "C:\\rot\\a.map");
    EXPECT_STREQ(Current().rotationFile, "C:\\rot\\a.map");
    EXPECT_EQ(ControlText(m_window, IDC_ROTATIONBUTTON), "&Edit...");
    TypeText(m_window, IDC_ROTATIONFILE, "");
    EXPECT_STREQ(Current().rotationFile, "");
    EXPECT_EQ(ControlText(m_window, IDC_ROTATIONBUTTON), "N&ew...");
}

TEST_F(AdminHandlersTest, HandlersWithoutAServerChangeNothing)
{
    TypeText(m_window, IDC_NAME, "ghost");
    TypeText(m_window, IDC_ROTATIONFILE, "x.map");
    ChooseItem(m_window, IDC_GAMEMODE, "Fallout");
    Click(m_window, IDC_START);
    Click(m_window, IDC_STOP);
    Click(m_window, IDC_DELETE);
    Click(m_window, IDC_BROWSE);
    Click(m_window, IDC_ROTATIONBUTTON);
    EXPECT_EQ(g_serverManager->count, 0);
    EXPECT_TRUE(ServerList().empty());
    EXPECT_FALSE(IsControlEnabled(m_window, IDC_START));
}
