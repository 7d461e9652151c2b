// What process control tells whoever watches it: each launch, failed
// launch, exit found, stop and adoption, with what the system said about
// the process, what the watchdog decided, and each record that leaves its
// slot. Watching changes nothing of what process control does; with no
// observer nothing is told.
#pragma once

#include <cstdint>
#include <string>

#include "servers/wall_clock.h"

struct ServerConfig;

// Who made a launch happen.
enum class StartCause { Operator, Watchdog, Set, DailyRestart };

// How a process ended, or that it had not yet when it was looked at.
struct ProcessEnd {
    bool ended = false;
    std::uint32_t exitCode = 0;
    std::int64_t runSeconds = 0;  // from its creation to its exit
    std::int64_t exitedUtcSeconds = 0;  // 0: not known
};

// When the watchdog starts again a server whose process it found ended.
struct NextStart {
    // 0: at this tick. Otherwise the back-off's wait, when it ends, and how
    // many quick exits in a row led to it.
    int backOffMinutes = 0;
    WallTime at;
    int quickExits = 0;
};

class ServerObserver {
public:
    virtual ~ServerObserver() = default;
    virtual void Started(int slot, const ServerConfig& server, StartCause cause, std::uint32_t processId) = 0;
    // `reason` is the system's own sentence.
    virtual void StartFailed(int slot, const ServerConfig& server, StartCause cause, const std::string& reason) = 0;
    virtual void Exited(int slot, const ServerConfig& server, const ProcessEnd& end, const NextStart& next) = 0;
    // `end.ended` is false when the process still ran once the stop was done.
    virtual void Stopped(int slot, const ServerConfig& server, const ProcessEnd& end) = 0;
    virtual void Adopted(int slot, const ServerConfig& server, std::uint32_t processId, std::int64_t runSeconds) = 0;
    // The slot's record is gone, deleted or replaced by a set's: what was
    // kept of the slot belongs to no server now. Not told when the whole
    // table goes.
    virtual void Removed(int /*slot*/) {}
    // The server's exits have come quick enough, for long enough, to slow
    // its relaunches down this far: once a back-off loop.
    virtual void CrashLoop(int /*slot*/, const ServerConfig& /*server*/, int /*quickExits*/, WallTime /*since*/) {}
    // The daily restart stopped the server, but its process still ran at the
    // next tick: it is left running, marked so again.
    virtual void RestartSkipped(int /*slot*/, const ServerConfig& /*server*/) {}
};
