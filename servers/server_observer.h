// What process control tells whoever watches it: each launch, failed
// launch, exit found, stop and adoption, with what the system said about
// the process, and each record that leaves its slot. Watching changes
// nothing of what process control does; with no observer nothing is told.
#pragma once

#include <cstdint>
#include <string>

struct ServerConfig;

// Who made a launch happen.
enum class StartCause { Operator, Watchdog, Set };

// How a process ended, or that it had not yet when it was looked at.
struct ProcessEnd {
    bool ended = false;
    std::uint32_t exitCode = 0;
    std::int64_t runSeconds = 0;  // from its creation to its exit
};

class ServerObserver {
public:
    virtual ~ServerObserver() = default;
    virtual void Started(int slot, const ServerConfig& server, StartCause cause, std::uint32_t processId) = 0;
    // `reason` is the system's own sentence.
    virtual void StartFailed(int slot, const ServerConfig& server, StartCause cause, const std::string& reason) = 0;
    virtual void Exited(int slot, const ServerConfig& server, const ProcessEnd& end) = 0;
    // `end.ended` is false when the process still ran once the stop was done.
    virtual void Stopped(int slot, const ServerConfig& server, const ProcessEnd& end) = 0;
    virtual void Adopted(int slot, const ServerConfig& server, std::uint32_t processId, std::int64_t runSeconds) = 0;
    // The slot's record is gone, deleted or replaced by a set's: what was
    // kept of the slot belongs to no server now. Not told when the whole
    // table goes.
    virtual void Removed(int /*slot*/) {}
};
