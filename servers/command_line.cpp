#include "servers/command_line.h"

#include <cstdarg>
#include <cstdio>

namespace {

#if defined(__GNUC__)
__attribute__((format(printf, 2, 3)))
#endif
void AppendFormat(std::string& line, const char* format, ...)
{
    va_list args;
    va_start(args, format);
    va_list sizing;
    va_copy(sizing, args);
    const int length = std::vsnprintf(nullptr, 0, format, sizing);
    va_end(sizing);
    if (length > 0) {
        const std::size_t start = line.size();
        line.resize(start + static_cast<std::size_t>(length) + 1);
        std::vsnprintf(&line[start], static_cast<std::size_t>(length) + 1, format, args);
        line.resize(start + static_cast<std::size_t>(length));
    }
    va_end(args);
}

void AppendFlag(std::string& line, std::uint8_t flag, const char* piece)
{
    if (flag == 1)
        line += piece;
}

const char* GameModeKeyword(std::int32_t gameMode)
{
    // The window keeps gameMode in range; an out-of-range value must still
    // not read outside the table.
    return gameMode >= 0 && gameMode < kGameModeCount ? kGameModes[gameMode] : "";
}

}  // namespace

// The line grows as needed. Even with the four text fields at 255 characters
// it stays near 1,400 characters, far below the 32,767 that process creation
// accepts, so nothing is ever cut.
std::string BuildCommandLine(const ServerConfig& s)
{
    std::string line;
    AppendFormat(line, " +server %s", s.name);
    if (s.password[0] != '\0')
        AppendFormat(line, " +password %s", s.password);
    AppendFormat(line, " +port %d", s.port);
    AppendFormat(line, " +map %s\\%s", GameModeKeyword(s.gameMode), s.mapName);
    if (s.useMapRotation == 1 && s.rotationFile[0] != '\0')
        AppendFormat(line, " +maplist %s", s.rotationFile);
    if (s.playOn == 0)
        line += " +lan";
    if (s.maxPlayers > 0)
        AppendFormat(line, " +maxplayers %d", s.maxPlayers);
    if (s.matchTime > 0)
        AppendFormat(line, " +matchtime %d", s.matchTime);
    if (s.freezeTime > 0)
        AppendFormat(line, " +freezetime %d", s.freezeTime);
    if (s.roundTime > 0)
        AppendFormat(line, " +roundtime %d", s.roundTime);
    if (s.team1SkinSet > 0)
        AppendFormat(line, " +team1skinset %d", s.team1SkinSet);
    if (s.team2SkinSet > 0)
        AppendFormat(line, " +team2skinset %d", s.team2SkinSet);
    AppendFormat(line, " +rankpoints %d", s.rankPoints);
    AppendFormat(line, " +damagemultiplier %f", static_cast<double>(s.damageMultiplier));
    AppendFormat(line, " +jumpslowdown %f", static_cast<double>(s.jumpSlowdown));
    if (s.mapTime > 0)
        AppendFormat(line, " +maptime %d", s.mapTime);
    // The flags go in this fixed order, which is not the order of the record.
    AppendFlag(line, s.friendlyFire, " +friendlyfire");
    AppendFlag(line, s.dedicated, " +dedicated");
    AppendFlag(line, s.respawn, " +respawn");
    AppendFlag(line, s.spectateAll, " +specall");
    AppendFlag(line, s.immediatePlay, " +immediateplay");
    AppendFlag(line, s.allowShadows, " +allowshadows");
    AppendFlag(line, s.minimize, " +minimize");
    AppendFlag(line, s.pure, " +pure");
    AppendFlag(line, s.hash, " +hash");
    AppendFlag(line, s.antiCheat, " +anticheat");
    AppendFlag(line, s.openChat, " +openchat");
    if (s.useExternIp == 1)
        AppendFormat(line, " +externip %u.%u.%u.%u", unsigned{s.externIp[0]}, unsigned{s.externIp[1]},
                     unsigned{s.externIp[2]}, unsigned{s.externIp[3]});
    return line;
}
