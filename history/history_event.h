// The events the server history records, the word each is recorded by, and
// the details each carries, as the operator reads them.
#pragma once

#include <cstdint>
#include <string>

#include "servers/server_observer.h"

enum class HistoryEvent {
    Started,
    StartFailed,
    Exited,
    Stopped,
    Adopted,
    LeftRunning,
    SetOpened,
    SetSaved,
    SetNotSaved,
    CrashLoop,
    RestartSkipped,
    AlertNotSent,
    // Told to the history's listener when a log line was not written, never
    // recorded: its line would go to the log that failed.
    HistoryNotSaved,
};

// The event's word, as the log and the dialog show it.
const char* EventWord(HistoryEvent event);
// True when the text is one of the events' words.
bool IsEventWord(const std::string& text);

// The exit code in decimal and, for the system's own codes (0xC0000000 and
// up), in hex with the name of the common ones.
std::string ExitCodeText(std::uint32_t code);

// `relaunch` counts the watchdog's launches since the operator's last start;
// `backOffMinutes` is the back-off the watchdog's launch came after, 0 for
// none.
std::string StartedDetails(StartCause cause, int relaunch, int backOffMinutes, std::uint32_t processId);
std::string EndDetails(const ProcessEnd& end);  // stopped when it ended
std::string ExitedDetails(const ProcessEnd& end, const NextStart& next);
std::string StoppedDetails(const ProcessEnd& end);
std::string AdoptedDetails(std::uint32_t processId, std::int64_t runSeconds);
std::string LeftRunningDetails(std::uint32_t processId);
std::string CrashLoopDetails(int quickExits, WallTime since);
std::string RestartSkippedDetails();
std::string SetOpenedDetails(const std::string& path, int servers, int adopted, int started);
std::string SetNotSavedDetails(const std::string& path, const std::string& reason);
// The log's path, when there is one, and why.
std::string HistoryNotSavedDetails(const std::string& logPath, const std::string& reason);
