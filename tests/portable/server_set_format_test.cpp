#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <ios>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "servers/list_values.h"
#include "sets/server_set_format.h"

namespace {

template <typename... Values>
std::string Joined(const Values&... values)
{
    std::ostringstream out;
    out << std::hexfloat;
    ((out << values << '|'), ...);
    return out.str();
}

// Every field the set keeps, written out by the test's own hand.
std::string Fields(const ServerConfig& s)
{
    return Joined(s.name, s.password, s.port, s.playOn, s.maxPlayers, s.matchTime, s.freezeTime, s.roundTime,
                  s.mapTime, s.rankPoints, s.damageMultiplier, s.jumpSlowdown, s.gameMode, s.mapName, s.rotationFile,
                  s.team1SkinSet, s.team2SkinSet, s.process.dwProcessId, s.process.dwThreadId, s.processCreated,
                  +s.useMapRotation, +s.friendlyFire, +s.dedicated, +s.respawn, +s.spectateAll, +s.immediatePlay,
                  +s.allowShadows, +s.pure, +s.hash, +s.antiCheat, +s.openChat, +s.minimize, +s.useExternIp,
                  +s.externIp[0], +s.externIp[1], +s.externIp[2], +s.externIp[3], +s.running);
}

ServerSetReading Read(const std::string& text)
{
    return ReadServerSetText(text);
}

ServerConfig Named(const char* name)
{
    ServerConfig server;
    CopyText(server.name, name);
    return server;
}

}  // namespace

// Random records in every other slot: texts of any bytes but NUL and line
// feed, every bit pattern of a float, each list's values.
TEST(ServerSetFormat, EveryFieldComesBackInItsSlot)
{
    std::mt19937 random(2026);
    const auto any = [&](const std::vector<std::int32_t>& values) { return values[random() % values.size()]; };
    ServerManager table;
    for (int slot = 1; slot < kMaxServers; slot += 2, ++table.count) {
        ServerConfig& s = *(table.slots[slot] = new ServerConfig);
        for (char* text : {s.name, s.password, s.mapName, s.rotationFile}) {
            std::string value = std::to_string(slot) + ":";  // a name no other slot has
            for (std::size_t length = random() % 253; length > 0; --length) {
                const char c = static_cast<char>(1 + random() % 255);
                value += c == '\n' ? '=' : c;
            }
            CopyText(text, kTextSize, value.c_str());
        }
        for (float* number : {&s.damageMultiplier, &s.jumpSlowdown}) {
            const std::uint32_t bits = random();
            std::memcpy(number, &bits, sizeof bits);
        }
        s.port = static_cast<std::int32_t>(random()), s.rankPoints = static_cast<std::int32_t>(random());
        s.playOn = any(kListValues.playOn), s.maxPlayers = any(kListValues.maxPlayers);
        s.matchTime = any(kListValues.matchTime), s.freezeTime = any(kListValues.freezeTime);
        s.roundTime = any(kListValues.roundTime), s.mapTime = any(kListValues.mapTime);
        s.team1SkinSet = any(kListValues.team1SkinSet), s.team2SkinSet = any(kListValues.team2SkinSet);
        s.gameMode = static_cast<std::int32_t>(random() % kGameModeCount);
        for (std::uint8_t* flag : {&s.useMapRotation, &s.friendlyFire, &s.dedicated, &s.respawn, &s.spectateAll,
                                   &s.immediatePlay, &s.allowShadows, &s.pure, &s.hash, &s.antiCheat, &s.openChat,
                                   &s.minimize, &s.useExternIp, &s.running})
            *flag = static_cast<std::uint8_t>(random() % 2);
        for (std::uint8_t& octet : s.externIp)
            octet = static_cast<std::uint8_t>(random());
        if (s.running == 1)
            s.process.dwProcessId = random(), s.process.dwThreadId = random(), s.processCreated = random() * 7919ull;
    }
    // The first slot also gets a text and a number that are easily mangled.
    const std::string awkward = " \"quoted\" = ;[x] 'a' " + std::string(233, 'z') + " ";
    CopyText(table.slots[1]->name, awkward.c_str());
    table.slots[1]->damageMultiplier = 0.1f;

    std::string text;
    ASSERT_TRUE(ServerSetText(table, {}, text));
    const ServerSetReading reading = Read(text);
    EXPECT_TRUE(reading.ignored.empty()) << reading.ignored.front();
    ASSERT_EQ(reading.servers.size(), 16u);
    for (const SlotRecord& server : reading.servers)
        EXPECT_EQ(Fields(server.config), Fields(*table.slots[server.slot])) << server.slot;
    CopyText(table.slots[1]->password, "a\nb");  // no line of the file could carry it
    EXPECT_FALSE(ServerSetText(table, {}, text));
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
        "gameMode = hostagerescue\n"
        "mapName = 'Canyon'\n"
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
    CopyText(expected.mapName, "Canyon");
    expected.externIp[0] = 10, expected.externIp[3] = 5;
    EXPECT_EQ(reading.servers[1].slot, 1);
    EXPECT_EQ(Fields(reading.servers[1].config), Fields(expected));
}

// Each line breaks one rule of the record: the field keeps its default, the
// server stays, and one line says what was ignored; the message shows ten.
TEST(ServerSetFormat, ValueBreakingItsRuleLeavesTheDefaultAndIsListed)
{
    const std::string lines[] = {
        "gameMode = Deathmatch",   "team1SkinSet = 3",          "team2SkinSet = -1",  "playOn = 2",
        "maxPlayers = 17",         "matchTime = 7",             "freezeTime = 21",    "roundTime = 11",
        "mapTime = 1",             "friendlyFire = 2",          "running = yes",      "port = 99999999999",
        "rankPoints = 12abc",      "damageMultiplier = fast",   "jumpSlowdown =",     "externIp = 1.2.3",
        "externIp = 1.2.3.256",    "externIp = 1.2.3.4.5",      "processId = -1",     "processCreated = x",
        "password = " + std::string(256, 'p'),
    };
    std::vector<std::string> ignored;
    for (const std::string& line : lines) {
        const ServerSetReading reading = Read("[Slot 1]\nname=a\n" + line);
        ASSERT_EQ(reading.servers.size(), 1u) << line;
        EXPECT_EQ(Fields(reading.servers[0].config), Fields(Named("a"))) << line;
        ASSERT_EQ(reading.ignored.size(), 1u) << line;
        EXPECT_EQ(reading.ignored[0].rfind("[Slot 1] ", 0), 0u) << reading.ignored[0];
        ignored.push_back(reading.ignored[0]);
    }
    const std::string message = IgnoredValuesList(ignored);
    EXPECT_EQ(std::count(message.begin(), message.end(), '\n'), 11);
    EXPECT_EQ(message.substr(message.find(ignored[9])), ignored[9] + "\n... and 11 more.\n");
}

TEST(ServerSetFormat, SlotsOutOfRangeRepeatedOrWithARepeatedNameAreLeftOut)
{
    const ServerSetReading reading = Read(
        "[Slot 0]\nname=zero\n[Slot 33]\nname=high\n[Slot 2]\nname=Alpha\n[Slot 2]\nname=again\n"
        "[Slot 1]\nname=alpha\n[Slot 3]\nname=ALPHA\n[Slot 4]\n[Slot 5]\n");
    // The lower slot keeps a name; a slot without one takes the default.
    std::vector<std::pair<int, std::string>> kept;
    for (const SlotRecord& server : reading.servers)
        kept.emplace_back(server.slot, server.config.name);
    EXPECT_EQ(kept, (std::vector<std::pair<int, std::string>>{{0, "alpha"}, {3, "qyr"}}));
    EXPECT_EQ(reading.ignored.size(), 6u);  // slots 0 and 33, the second slot 2, Alpha, ALPHA, the second qyr
}

// A section that is no slot's is kept as read, the first of a name
// counting; written again, a value keeps its blanks and quotes.
TEST(ServerSetFormat, OtherSectionsComeBackAsRead)
{
    const ServerSetReading reading = Read("[Watchdog]\nbackOff = 1\nBACKOFF=0\n[Slot 1]\nname=a\n[watchdog]\n"
                                          "dailyRestart=04:00\n[Alerts]\nurl=' spaced '\nnote = '\"q\"'\n");
    ASSERT_EQ(reading.sections.size(), 2u);
    EXPECT_EQ(*reading.sections[0].Find("backoff"), "1");
    EXPECT_EQ(reading.sections[0].Find("dailyRestart"), nullptr);
    EXPECT_EQ(*reading.sections[1].Find("URL"), " spaced ");
    EXPECT_EQ(*reading.sections[1].Find("note"), "\"q\"");
    ServerManager table;
    std::string text;
    ASSERT_TRUE(table.ReplaceServers(reading.servers) && ServerSetText(table, reading.sections, text));
    const ServerSetReading again = Read(text);
    ASSERT_EQ(again.sections.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i)
        EXPECT_EQ(again.sections[i].values, reading.sections[i].values) << text;
    EXPECT_EQ(again.servers.size(), 1u);
    EXPECT_FALSE(ServerSetText(table, {SetSection{"Alerts", {{"url", "a\nb"}}}}, text));
}

// An empty text, or one of comments only, is an empty set.
TEST(ServerSetFormat, TextThatIsNoSetSaysWhichLine)
{
    const struct {
        std::string text;
        bool isSet;
        std::size_t strayLine;
    } cases[] = {
        {"Map = TeamEscape\\Canyon;\r\nMap = Fallout\\Dunes;\r\n", false, 1},
        {"name=qyr\n[Slot 1]\n", false, 1},
        {"[Slot 1]\nname=a\nport 27015\n", false, 3},
        {"; fine\n[Slot 1\n", false, 2},
        {std::string("[Slot 1]\nname=a\0b\n", 17), false, 0},
        {"", true, 0},
        {"; only a comment\r\n\r\n", true, 0},
    };
    for (const auto& c : cases) {
        const ServerSetReading reading = Read(c.text);
        EXPECT_EQ(reading.isSet, c.isSet) << c.text;
        EXPECT_EQ(reading.strayLine, c.strayLine) << c.text;
        EXPECT_EQ(reading.holdsNul, c.text.find('\0') != std::string::npos) << c.text;
        EXPECT_TRUE(reading.servers.empty());
    }
}
