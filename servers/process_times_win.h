// A process's own creation and exit times, as the system keeps them, and
// what process control tells its observer from them.
#pragma once

#include <windows.h>

#include <cstdint>

#include "servers/server_observer.h"

// The system's times count 100-ns units since 1601.
constexpr std::uint64_t kTicksPerSecond = 10000000;
std::uint64_t TicksOf(const FILETIME& time);
// Seconds since 1970-01-01 00:00 UTC of a time in the system's ticks.
std::int64_t UnixSecondsOf(std::uint64_t ticks);

// False when the times cannot be read. `exited`
// means nothing while the process runs.
bool ReadProcessTimes(HANDLE process, std::uint64_t& created, std::uint64_t& exited);
// Whether the process has ended, and if so its exit code and how long it ran.
ProcessEnd EndOfProcess(HANDLE process);
// How long the running process has run until now; 0 when unknown.
std::int64_t SecondsRunning(HANDLE process);
