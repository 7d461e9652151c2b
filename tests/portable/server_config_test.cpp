#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <type_traits>

#include "servers/server_config.h"

TEST(ServerConfig, FreshRecordHoldsTheDefaults)
{
    const ServerConfig s;
    EXPECT_EQ(s.playOn, 1);
    EXPECT_EQ(s.maxPlayers, 16);
    EXPECT_EQ(s.matchTime, 30);
    EXPECT_EQ(s.freezeTime, 4);
    EXPECT_EQ(s.roundTime, 5);
    EXPECT_EQ(s.mapTime, 0);
    EXPECT_EQ(s.rankPoints, 700);
    EXPECT_EQ(s.damageMultiplier, 1.5f);
    EXPECT_EQ(s.jumpSlowdown, 0.5f);
    EXPECT_EQ(s.gameMode, 4);
    EXPECT_STREQ(s.name, "qyr");
    EXPECT_STREQ(s.mapName, "");
    EXPECT_STREQ(s.password, "");
    EXPECT_STREQ(s.rotationFile, "");
    EXPECT_EQ(s.port, 27015);
    EXPECT_EQ(s.team1SkinSet, 0);
    EXPECT_EQ(s.team2SkinSet, 0);
    const std::uint8_t flags[] = {s.friendlyFire, s.dedicated,   s.respawn, s.spectateAll, s.immediatePlay,
                                  s.allowShadows, s.pure,        s.hash,    s.antiCheat,   s.openChat,
                                  s.minimize,     s.useExternIp, s.useMapRotation, s.running};
    const std::uint8_t expected[] = {1, 1, 0, 1, 0, 1, 1, 1, 1, 0, 1, 0, 0, 0};
    for (std::size_t i = 0; i < sizeof flags; ++i)
        EXPECT_EQ(flags[i], expected[i]) << "flag #" << i;
    for (std::uint8_t octet : s.externIp)
        EXPECT_EQ(octet, 0);
    EXPECT_EQ(s.process.hProcess, nullptr);
    EXPECT_EQ(s.process.hThread, nullptr);
}

TEST(ServerConfig, GameModeTableKeepsItsOrder)
{
    const char* const expected[] = {"Fallout",      "Cooperative",    "HostageRescue",
                                    "PlantTheBomb", "TeamDeathMatch", "TeamEscape"};
    for (int i = 0; i < kGameModeCount; ++i)
        EXPECT_STREQ(kGameModes[i], expected[i]);
    EXPECT_STREQ(kGameModes[ServerConfig().gameMode], "TeamDeathMatch");
}

// The record keeps single precision: the command line shows a value as the
// float it was stored as, not as the text typed.
static_assert(std::is_same_v<decltype(ServerConfig::damageMultiplier), float>);
static_assert(std::is_same_v<decltype(ServerConfig::jumpSlowdown), float>);

TEST(CopyText, CutsAtTheFieldAndAlwaysTerminates)
{
    ServerConfig s;
    const std::string longText(400, 'x');
    CopyText(s.name, longText.c_str());
    EXPECT_EQ(std::strlen(s.name), kTextSize - 1);
    EXPECT_EQ(std::string(s.name), longText.substr(0, kTextSize - 1));
    // The field after it is untouched by the cut.
    EXPECT_STREQ(s.mapName, "");

    const std::string exact(kTextSize - 1, 'y');
    CopyText(s.password, exact.c_str());
    EXPECT_EQ(std::string(s.password), exact);

    CopyText(s.rotationFile, "short");
    EXPECT_STREQ(s.rotationFile, "short");
    CopyText(s.rotationFile, nullptr);
    EXPECT_STREQ(s.rotationFile, "");
}

TEST(CopyText, HandlesTinyAndOverlappingBuffers)
{
    char one[1] = {'z'};
    CopyText(one, "abc");
    EXPECT_EQ(one[0], '\0');

    char text[8] = "abcdef";
    CopyText(text, text + 2);
    EXPECT_STREQ(text, "cdef");

    char untouched[2] = {'q', 'r'};
    CopyText(untouched, 0, "abc");
    EXPECT_EQ(untouched[0], 'q');
}
