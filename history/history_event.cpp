#include "history/history_event.h"

#include "servers/exit_code.h"
#include "servers/wall_clock.h"

namespace {

const char* const kWords[] = {
    "started", "start failed", "exited", "stopped", "adopted", "left running", "set opened", "set saved",
    "set not saved", "crash loop", "restart skipped", "alert not sent", "history not saved",
};
static_assert(sizeof kWords / sizeof kWords[0] == static_cast<int>(HistoryEvent::HistoryNotSaved) + 1,
              "one word per event");

std::string ProcessText(std::uint32_t processId)
{
    return "process " + std::to_string(processId);
}

}  // namespace

const char* EventWord(HistoryEvent event)
{
    return kWords[static_cast<int>(event)];
}

bool IsEventWord(const std::string& text)
{
    for (const char* word : kWords) {
        if (text == word)
            return true;
    }
    return false;
}

std::string ExitCodeText(std::uint32_t code)
{
    std::string text = "code " + std::to_string(code);
    const std::string hex = SystemCodeHex(code);
    if (hex.empty())
        return text;
    const char* name = SystemCodeName(code);
    return text + " (" + hex + (name != nullptr ? std::string(", ") + name : std::string()) + ")";
}

std::string StartedDetails(StartCause cause, int relaunch, int backOffMinutes, std::uint32_t processId)
{
    switch (cause) {
    case StartCause::Watchdog:
        return "by the watchdog, relaunch " + std::to_string(relaunch) + " since the operator's last start, " +
               (backOffMinutes > 0 ? "after a back-off of " + std::to_string(backOffMinutes) + " min, " : "") +
               ProcessText(processId);
    case StartCause::Set:
        return "from the set, " + ProcessText(processId);
    case StartCause::DailyRestart:
        return "by the daily restart, " + ProcessText(processId);
    case StartCause::Operator:
        break;
    }
    return "by the operator, " + ProcessText(processId);
}

std::string EndDetails(const ProcessEnd& end)
{
    return ExitCodeText(end.exitCode) + " after " + RunTimeText(end.runSeconds);
}

std::string ExitedDetails(const ProcessEnd& end, const NextStart& next)
{
    const std::string details = EndDetails(end);
    return next.backOffMinutes > 0 ? details + "; next start at " + TimeOfDayText(next.at) : details;
}

std::string StoppedDetails(const ProcessEnd& end)
{
    return end.ended ? EndDetails(end) : "asked to close, still running after 1 s";
}

std::string AdoptedDetails(std::uint32_t processId, std::int64_t runSeconds)
{
    return ProcessText(processId) + ", running for " + RunTimeText(runSeconds);
}

std::string LeftRunningDetails(std::uint32_t processId)
{
    return ProcessText(processId);
}

std::string SetOpenedDetails(const std::string& path, int servers, int adopted, int started)
{
    return path + ": " + std::to_string(servers) + (servers == 1 ? " server, " : " servers, ") +
           std::to_string(adopted) + " adopted, " + std::to_string(started) + " started";
}

std::string SetNotSavedDetails(const std::string& path, const std::string& reason)
{
    return path + ": " + reason;
}

std::string CrashLoopDetails(int quickExits, WallTime since)
{
    return std::to_string(quickExits) + " quick exits in a row since " + TimeOfDayText(since);
}

std::string RestartSkippedDetails()
{
    return "still running after the stop";
}

std::string HistoryNotSavedDetails(const std::string& logPath, const std::string& reason)
{
    return logPath.empty() ? reason : SetNotSavedDetails(logPath, reason);
}
