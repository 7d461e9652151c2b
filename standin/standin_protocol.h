// The names through which tests and demos drive the stand-in game server and
// read what it saw. What each variable and switch does and the form of the
// log lines are described at the top of standin/main_win.cpp.
#pragma once

namespace standin {

// Appended to in the stand-in's working directory.
constexpr char kLogFileName[] = "qyr_standin.log";

constexpr char kExitAfterMsVariable[] = "QYR_STANDIN_EXIT_AFTER_MS";
constexpr char kExitCodeVariable[] = "QYR_STANDIN_EXIT_CODE";
constexpr char kIgnoreQuitVariable[] = "QYR_STANDIN_IGNORE_QUIT";
constexpr char kIgnoreCloseVariable[] = "QYR_STANDIN_IGNORE_CLOSE";
constexpr char kHangVariable[] = "QYR_STANDIN_HANG";
constexpr char kLifetimeMsVariable[] = "QYR_STANDIN_LIFETIME_MS";

// A switch of the command line, and its word for an access violation.
constexpr char kExitAfterSwitch[] = "+exitafter";
constexpr char kAccessViolationWord[] = "av";

// The first word of each log line.
constexpr char kStartEvent[] = "start";
constexpr char kQuitEvent[] = "quit";
constexpr char kCloseEvent[] = "close";
constexpr char kCrashEvent[] = "crash";
constexpr char kHangEvent[] = "hang";
constexpr char kLifetimeEvent[] = "lifetime";
constexpr char kNoWindowEvent[] = "nowindow";

}  // namespace standin
