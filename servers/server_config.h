// The settings and process state of one game server.
#pragma once

#include <cstddef>
#include <cstdint>

// Every name, password, path and map name is held in a fixed field of this
// size: at most kTextSize - 1 characters and the terminating zero.
constexpr std::size_t kTextSize = 256;

// Copies src into a text field, cutting it to the field's size; dest always
// ends up zero-terminated. Every write into a text field goes through here.
void CopyText(char* dest, std::size_t destSize, const char* src);

template <std::size_t N>
inline void CopyText(char (&dest)[N], const char* src)
{
    CopyText(dest, N, src);
}

constexpr int kGameModeCount = 6;

// Indexed by the game-mode number. The same keywords, in this order, are the
// items of both "Game mode:" lists, so a list index is a game-mode number.
extern const char* const kGameModes[kGameModeCount];

// The launch's process and main-thread handles and ids, laid out like the
// Win32 process record so that the Windows code can check the two agree.
struct ProcessRecord {
    void* hProcess;
    void* hThread;
    std::uint32_t dwProcessId;
    std::uint32_t dwThreadId;
};

struct ServerConfig {
    ServerConfig();

    // The one way a record stops naming a process: the handles it holds are
    // closed, its ids and creation time cleared. The process itself is left
    // alone.
    void ForgetProcess();

    std::int32_t playOn = 1;  // 0 = LAN, 1 = Internet
    std::int32_t maxPlayers = 16;
    std::int32_t matchTime = 30;  // minutes
    std::int32_t freezeTime = 4;  // seconds
    std::int32_t roundTime = 5;   // minutes
    std::int32_t mapTime = 0;     // minutes per rotation map
    std::int32_t rankPoints = 700;
    float damageMultiplier = 1.5f;
    float jumpSlowdown = 0.5f;
    std::int32_t gameMode = 4;  // "TeamDeathMatch"
    char name[kTextSize];
    char mapName[kTextSize];
    char password[kTextSize];
    char rotationFile[kTextSize];
    std::int32_t port = 27015;
    std::int32_t team1SkinSet = 0;  // 0 "Original", 1 "Custom1", 2 "Custom2"
    std::int32_t team2SkinSet = 0;
    std::uint8_t friendlyFire = 1;
    std::uint8_t dedicated = 1;
    std::uint8_t respawn = 0;
    std::uint8_t spectateAll = 1;
    std::uint8_t immediatePlay = 0;
    std::uint8_t allowShadows = 1;
    std::uint8_t pure = 1;
    std::uint8_t hash = 1;
    std::uint8_t antiCheat = 1;
    std::uint8_t openChat = 0;
    std::uint8_t minimize = 1;
    std::uint8_t useExternIp = 0;
    std::uint8_t useMapRotation = 0;
    std::uint8_t externIp[4] = {0, 0, 0, 0};  // first octet first
    std::uint8_t running = 0;
    // Cleared just before each launch; empty until the first one.
    ProcessRecord process = {};
    // When the process of the last launch was created, in 100-ns units since
    // 1601: with its id, what tells that process from a later one that the
    // system has given the same id.
    std::uint64_t processCreated = 0;
};
