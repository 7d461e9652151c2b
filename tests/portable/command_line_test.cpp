#include <gtest/gtest.h>

#include <string>

#include "servers/command_line.h"

TEST(CommandLine, FreshRecordGivesTheDefaultPiecesExactly)
{
    const ServerConfig s;
    EXPECT_EQ(BuildCommandLine(s),
              " +server qyr +port 27015 +map TeamDeathMatch\\ +maxplayers 16 +matchtime 30"
              " +freezetime 4 +roundtime 5 +rankpoints 700 +damagemultiplier 1.500000"
              " +jumpslowdown 0.500000 +friendlyfire +dedicated +specall +allowshadows"
              " +minimize +pure +hash +anticheat");
}

TEST(CommandLine, EveryOptionalPieceInTableOrder)
{
    ServerConfig s;
    CopyText(s.name, "alpha");
    CopyText(s.password, "secret");
    s.port = 27020;
    s.gameMode = 5;
    CopyText(s.mapName, "Canyon");
    s.useMapRotation = 1;
    CopyText(s.rotationFile, "C:\\rot\\a.map");
    s.playOn = 0;
    s.maxPlayers = 32;
    s.matchTime = 120;
    s.freezeTime = 20;
    s.roundTime = 15;
    s.team1SkinSet = 1;
    s.team2SkinSet = 2;
    s.rankPoints = 1000;
    s.damageMultiplier = 2.0f;
    s.jumpSlowdown = 0.75f;
    s.mapTime = 45;
    s.respawn = s.immediatePlay = s.openChat = 1;
    s.useExternIp = 1;
    const std::uint8_t ip[4] = {10, 0, 0, 5};
    std::copy(ip, ip + 4, s.externIp);
    EXPECT_EQ(BuildCommandLine(s),
              " +server alpha +password secret +port 27020 +map TeamEscape\\Canyon"
              " +maplist C:\\rot\\a.map +lan +maxplayers 32 +matchtime 120 +freezetime 20"
              " +roundtime 15 +team1skinset 1 +team2skinset 2 +rankpoints 1000"
              " +damagemultiplier 2.000000 +jumpslowdown 0.750000 +maptime 45"
              " +friendlyfire +dedicated +respawn +specall +immediateplay +allowshadows"
              " +minimize +pure +hash +anticheat +openchat +externip 10.0.0.5");
}

TEST(CommandLine, ZeroAndUnsetValuesLeaveTheirPiecesOut)
{
    ServerConfig s;
    s.maxPlayers = s.matchTime = s.freezeTime = s.roundTime = 0;
    s.friendlyFire = s.dedicated = s.spectateAll = s.allowShadows = 0;
    s.minimize = s.pure = s.hash = s.antiCheat = 0;
    s.rankPoints = 0;
    s.useMapRotation = 1;  // but no file: no +maplist
    EXPECT_EQ(BuildCommandLine(s),
              " +server qyr +port 27015 +map TeamDeathMatch\\ +rankpoints 0"
              " +damagemultiplier 1.500000 +jumpslowdown 0.500000");
}

TEST(CommandLine, FlagsCountOnlyWhenExactlyOne)
{
    ServerConfig s;
    s.friendlyFire = 2;
    s.useExternIp = 2;
    s.useMapRotation = 2;
    CopyText(s.rotationFile, "a.map");
    const std::string line = BuildCommandLine(s);
    EXPECT_EQ(line.find("+friendlyfire"), std::string::npos);
    EXPECT_EQ(line.find("+externip"), std::string::npos);
    EXPECT_EQ(line.find("+maplist"), std::string::npos);
}

TEST(CommandLine, NumberFormats)
{
    ServerConfig s;
    s.rankPoints = -250;
    s.port = 0;
    s.damageMultiplier = -0.25f;
    s.jumpSlowdown = static_cast<float>(0.1);
    s.mapTime = 7;  // without a rotation the map time is still passed
    s.useExternIp = 1;
    const std::string line = BuildCommandLine(s);
    EXPECT_NE(line.find(" +port 0 "), std::string::npos);
    EXPECT_NE(line.find(" +rankpoints -250 "), std::string::npos);
    EXPECT_NE(line.find(" +damagemultiplier -0.250000 "), std::string::npos);
    EXPECT_NE(line.find(" +jumpslowdown 0.100000 "), std::string::npos);
    EXPECT_NE(line.find(" +maptime 7 "), std::string::npos);
    EXPECT_EQ(line.substr(line.size() - 18), " +externip 0.0.0.0");

    const std::uint8_t top[4] = {255, 255, 255, 255};
    std::copy(top, top + 4, s.externIp);
    const std::string high = BuildCommandLine(s);
    EXPECT_EQ(high.substr(high.size() - 26), " +externip 255.255.255.255");
}

TEST(CommandLine, ValuesAreNotQuoted)
{
    ServerConfig s;
    CopyText(s.name, "my server");
    EXPECT_EQ(BuildCommandLine(s).rfind(" +server my server +port", 0), 0u);
}

TEST(CommandLine, LongestTextsAppearWhole)
{
    ServerConfig s;
    const std::string name(255, 'n'), password(255, 'p'), map(255, 'm'), rotation(255, 'r');
    CopyText(s.name, name.c_str());
    CopyText(s.password, password.c_str());
    CopyText(s.mapName, map.c_str());
    CopyText(s.rotationFile, rotation.c_str());
    s.useMapRotation = 1;
    const std::string line = BuildCommandLine(s);
    EXPECT_NE(line.find(" +server " + name + " +password " + password + " +port 27015"), std::string::npos);
    EXPECT_NE(line.find(" +map TeamDeathMatch\\" + map + " +maplist " + rotation + " +maxplayers"),
              std::string::npos);
    EXPECT_GT(line.size(), 1020u);
    EXPECT_LT(line.size(), 32767u);
    EXPECT_EQ(line.substr(line.size() - 11), " +anticheat");
}
