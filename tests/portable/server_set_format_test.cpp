#include <gtest/gtest.h>

#include <ios>
#include <sstream>
#include <string>

#include "servers/server_set_format.h"
#include "tests/server_set_rules_example.h"

namespace {

// Every field the set keeps, written out by the test's own hand.
std::string Fields(const ServerConfig& s)
{
    std::ostringstream out;
    out << std::hexfloat << s.name << '|' << s.password << '|' << s.port << '|' << s.playOn << '|' << s.maxPlayers << '|'
        << s.matchTime << '|' << s.freezeTime << '|' << s.roundTime << '|' << s.mapTime << '|' << s.rankPoints << '|'
        << s.damageMultiplier << '|' << s.jumpSlowdown << '|' << s.gameMode << '|' << s.mapName << '|'
        << s.rotationFile << '|' << s.team1SkinSet << '|' << s.team2SkinSet << '|' << s.process.dwProcessId << '|'
        << s.process.dwThreadId << '|' << s.processCreated << '|';
    for (const std::uint8_t flag : {s.useMapRotation, s.friendlyFire, s.dedicated, s.respawn, s.spectateAll,
                                    s.immediatePlay, s.allowShadows, s.pure, s.hash, s.antiCheat, s.openChat,
                                    s.minimize, s.useExternIp, s.externIp[0], s.externIp[1], s.externIp[2],
                                    s.externIp[3], s.running})
        out << int(flag) << ',';
    return out.str();
}

ServerSetReading Read(const std::string& text)
{
    return ReadServerSetText(text, kListRules);
}

ServerConfig Named(const char* name)
{
    ServerConfig server;
    CopyText(server.name, name);
    return server;
}

}  // namespace

TEST(ServerSetFormat, EveryFieldComesBackInItsSlot)
{
    const std::string awkward = " \"quoted\" = ;[x] 'a' " + std::string(233, 'z') + " ";
    ASSERT_EQ(awkward.size(), 255u);
    ServerManager table;
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(table.AddServer());
    ServerConfig& changed = *table.slots[1];
    CopyText(changed.name, awkward.c_str());
    CopyText(changed.password, "\"");
    CopyText(changed.mapName, "'");
    CopyText(changed.rotationFile, "C:\\rotations\\a b.map");
    changed.port = -7;
    changed.rankPoints = 2147483647;
    changed.damageMultiplier = 0.1f;
    changed.jumpSlowdown = 3.4028235e38f;
    changed.playOn = 0, changed.maxPlayers = 32, changed.matchTime = 120, changed.freezeTime = 20;
    changed.roundTime = 1, changed.mapTime = 45, changed.gameMode = 5;
    changed.team1SkinSet = 2, changed.team2SkinSet = 1;
    for (std::uint8_t* flag : {&changed.useMapRotation, &changed.respawn, &changed.immediatePlay, &changed.openChat,
                               &changed.useExternIp, &changed.running})
        *flag = 1;
    for (std::uint8_t* flag : {&changed.friendlyFire, &changed.dedicated, &changed.spectateAll, &changed.allowShadows,
                               &changed.pure, &changed.hash, &changed.antiCheat, &changed.minimize})
        *flag = 0;
    changed.externIp[0] = 255, changed.externIp[3] = 9;
    changed.process.dwProcessId = 4294967295u, changed.process.dwThreadId = 12;
    changed.processCreated = 18446744073709551615u;
    table.slots[31] = table.slots[2];  // the last slot, an empty one between
    table.slots[2] = nullptr;

    std::string text;
    ASSERT_TRUE(ServerSetText(table, text));
    const ServerSetReading reading = Read(text);
    ASSERT_TRUE(reading.isSet);
    EXPECT_TRUE(reading.ignored.empty()) << reading.ignored.front();
    ASSERT_EQ(reading.servers.size(), 3u);
    const int slots[] = {0, 1, 31};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(reading.servers[i].slot, slots[i]);
        EXPECT_EQ(Fields(reading.servers[i].config), Fields(*table.slots[slots[i]]));
    }
    EXPECT_EQ(reading.servers[1].config.damageMultiplier, 0.1f);
    EXPECT_STREQ(reading.servers[1].config.name, awkward.c_str());
}

TEST(ServerSetFormat, HandWrittenSetReadsAsTheSystemReadsProfiles)
{
    const ServerSetReading reading = Read(
        "# written by hand\r\n"
        "[Server room]\r\n"
        "name = ignored, not a slot\r\n"
        "[ slot 2 ]\n"
        "  maxPlayers\t=  8  \n"
        "unknownKey = 1\n"
        "NAME = \"  spaced  \"\n"
        "name = second\n"
        "gameMode = hostagerescue\n"
        "externIp = 10.0.0.5\n"
        "running = 0\n"
        "processId = 99\n"
        "\n"
        "  ; a comment\n"
        "[Slot 1]");
    ASSERT_TRUE(reading.isSet);
    EXPECT_TRUE(reading.ignored.empty());
    ASSERT_EQ(reading.servers.size(), 2u);
    EXPECT_EQ(Fields(reading.servers[0].config), Fields(ServerConfig()));
    ServerConfig expected = Named("  spaced  ");
    expected.maxPlayers = 8, expected.gameMode = 2;
    expected.externIp[0] = 10, expected.externIp[3] = 5;
    EXPECT_EQ(reading.servers[1].slot, 1);
    EXPECT_EQ(Fields(reading.servers[1].config), Fields(expected));
}

// Each line breaks one rule of the record: the field keeps its default, the
// server stays, and one line says what was ignored.
TEST(ServerSetFormat, ValueBreakingItsRuleLeavesTheDefaultAndIsListed)
{
    const char* const lines[] = {
        "gameMode = Deathmatch",   "team1SkinSet = 3",          "team2SkinSet = -1",  "playOn = 2",
        "maxPlayers = 17",         "matchTime = 7",             "freezeTime = 21",    "roundTime = 11",
        "mapTime = 1",             "friendlyFire = 2",          "running = yes",      "port = 99999999999",
        "rankPoints = 12abc",      "damageMultiplier = fast",   "jumpSlowdown =",     "externIp = 1.2.3",
        "externIp = 1.2.3.256",    "externIp = 1.2.3.4.5",      "processId = -1",     "processCreated = x",
    };
    for (const char* line : lines) {
        const ServerSetReading reading = Read(std::string("[Slot 1]\nname=a\n") + line);
        ASSERT_EQ(reading.servers.size(), 1u) << line;
        EXPECT_EQ(Fields(reading.servers[0].config), Fields(Named("a"))) << line;
        ASSERT_EQ(reading.ignored.size(), 1u) << line;
        EXPECT_EQ(reading.ignored[0].rfind("[Slot 1] ", 0), 0u) << reading.ignored[0];
    }
    const ServerSetReading longName = Read("[Slot 1]\nname=" + std::string(256, 'n'));
    EXPECT_STREQ(longName.servers.at(0).config.name, "qyr");
    EXPECT_EQ(longName.ignored.size(), 1u);
}

TEST(ServerSetFormat, SlotsOutOfRangeRepeatedOrWithARepeatedNameAreLeftOut)
{
    const ServerSetReading reading = Read(
        "[Slot 0]\nname=zero\n[Slot 33]\nname=high\n[Slot 2]\nname=Alpha\n[Slot 2]\nname=again\n"
        "[Slot 1]\nname=alpha\n[Slot 3]\nname=ALPHA\n[Slot 4]\n[Slot 5]\n");
    ASSERT_TRUE(reading.isSet);
    // The lower slot keeps a name; a slot without one takes the default.
    ASSERT_EQ(reading.servers.size(), 2u);
    EXPECT_STREQ(reading.servers[0].config.name, "alpha");
    EXPECT_EQ(reading.servers[0].slot, 0);
    EXPECT_STREQ(reading.servers[1].config.name, "qyr");
    EXPECT_EQ(reading.servers[1].slot, 3);
    EXPECT_EQ(reading.ignored.size(), 6u);  // slots 0 and 33, the second slot 2, Alpha, ALPHA, the second qyr
}

TEST(ServerSetFormat, TextThatIsNoSetSaysWhichLine)
{
    const struct {
        std::string text;
        std::size_t strayLine;
    } cases[] = {
        {"Map = TeamEscape\\Canyon;\r\nMap = Fallout\\Dunes;\r\n", 1},
        {"name=qyr\n[Slot 1]\n", 1},
        {"[Slot 1]\nname=a\nport 27015\n", 3},
        {"; fine\n[Slot 1\n", 2},
        {std::string("[Slot 1]\nname=a\0b\n", 17), 0},
    };
    for (const auto& c : cases) {
        const ServerSetReading reading = Read(c.text);
        EXPECT_FALSE(reading.isSet) << c.text;
        EXPECT_EQ(reading.strayLine, c.strayLine) << c.text;
        EXPECT_TRUE(reading.servers.empty());
    }
    ServerManager empty;
    std::string text;
    ASSERT_TRUE(ServerSetText(empty, text));
    for (const std::string& emptySet : {std::string(), text}) {
        EXPECT_TRUE(Read(emptySet).isSet);
        EXPECT_TRUE(Read(emptySet).servers.empty());
    }
}

TEST(ServerSetFormat, LineFeedInATextCannotBeWritten)
{
    ServerManager table;
    ASSERT_TRUE(table.AddServer());
    CopyText(table.slots[0]->password, "a\nb");
    std::string text;
    EXPECT_FALSE(ServerSetText(table, text));
}

TEST(ServerSetFormat, IgnoredListShowsTenThenACount)
{
    std::vector<std::string> ignored;
    for (int i = 1; i <= 12; ++i)
        ignored.push_back("line " + std::to_string(i));
    EXPECT_EQ(IgnoredValuesList(ignored),
              "line 1\nline 2\nline 3\nline 4\nline 5\nline 6\nline 7\nline 8\nline 9\nline 10\n... and 2 more.\n");
}

TEST(ServerSetFormat, TableTakesTheSetsSlotsOrNothing)
{
    ServerManager table;
    ASSERT_TRUE(table.AddServer());
    EXPECT_FALSE(table.ReplaceServers({{3, Named("a")}, {3, Named("b")}}));
    EXPECT_FALSE(table.ReplaceServers({{32, Named("a")}}));
    EXPECT_STREQ(table.slots[0]->name, "qyr");
    ASSERT_TRUE(table.ReplaceServers({{7, Named("a")}, {2, Named("b")}}));
    EXPECT_EQ(table.count, 2);
    EXPECT_EQ(table.current, 2);
    EXPECT_EQ(table.slots[0], nullptr);
    EXPECT_STREQ(table.slots[7]->name, "a");
}
