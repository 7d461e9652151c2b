// Where a server stands, as the server list marks it and the status bar
// says it, from its running mark, its process and its run facts.
#pragma once

#include <cstdint>
#include <string>

#include "servers/server_run_facts.h"

// Stopped is 0, so that a list item not yet marked shows a stopped server.
enum class RunMark : std::uint8_t {
    Stopped,
    Running,
    // Running, relaunched by the watchdog within kRecentRelaunchSeconds.
    Relaunched,
    // Should run but does not: marked running while its process has ended,
    // waiting for the watchdog or in its back-off, or its last start failed.
    ShouldRun,
};

constexpr std::int64_t kRecentRelaunchSeconds = 60 * 60;

struct ServerRun {
    bool markedRunning;
    // Marked running, and its process has ended since the watchdog last
    // looked.
    bool processEnded;
    const RunFacts& facts;
};

RunMark MarkOf(const ServerRun& run, WallTime now);
// "Friday: running for 2:14:07, relaunched 3 times since the operator's
// start, last exit 0xC0000005 (access violation) at 03:12:44", "Friday:
// next start at 03:20:44 (back-off after 4 quick exits)", "Friday:
// stopped", ...
std::string StatusText(const char* name, const ServerRun& run, WallTime now);
