#include "servers/process_times_win.h"

namespace {

// 1970-01-01 in the system's ticks since 1601.
constexpr std::uint64_t kUnixEpochTicks = 116444736000000000;

std::int64_t SecondsBetween(std::uint64_t from, std::uint64_t to)
{
    return to > from ? static_cast<std::int64_t>((to - from) / kTicksPerSecond) : 0;
}

}  // namespace

std::uint64_t TicksOf(const FILETIME& time)
{
    return static_cast<std::uint64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

std::int64_t UnixSecondsOf(std::uint64_t ticks)
{
    return (static_cast<std::int64_t>(ticks) - static_cast<std::int64_t>(kUnixEpochTicks)) /
           static_cast<std::int64_t>(kTicksPerSecond);
}

bool ReadProcessTimes(HANDLE process, std::uint64_t& created, std::uint64_t& exited)
{
    FILETIME creation = {}, exit = {}, kernel = {}, user = {};
    if (!::GetProcessTimes(process, &creation, &exit, &kernel, &user))
        return false;
    created = TicksOf(creation);
    exited = TicksOf(exit);
    return true;
}

// A process whose state cannot be read counts as running, as the watchdog
// counts it.
ProcessEnd EndOfProcess(HANDLE process)
{
    ProcessEnd end;
    DWORD code = STILL_ACTIVE;
    if (!::GetExitCodeProcess(process, &code) || code == STILL_ACTIVE)
        return end;
    end.ended = true;
    end.exitCode = code;
    std::uint64_t created = 0, exited = 0;
    if (ReadProcessTimes(process, created, exited)) {
        end.runSeconds = SecondsBetween(created, exited);
        end.exitedUtcSeconds = exited != 0 ? UnixSecondsOf(exited) : 0;
    }
    return end;
}

std::int64_t SecondsRunning(HANDLE process)
{
    std::uint64_t created = 0, exited = 0;
    if (!ReadProcessTimes(process, created, exited))
        return 0;
    FILETIME now = {};
    ::GetSystemTimeAsFileTime(&now);
    return SecondsBetween(created, TicksOf(now));
}
