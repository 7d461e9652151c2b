// How the stand-in was told to behave, read from its environment and its
// command line.
#pragma once

#include <string>

struct StandinOptions {
    unsigned exitAfterMs = 0;  // 0: never crashes
    unsigned exitCode = 1;
    bool accessViolation = false;  // crashes by one instead of with exitCode
    bool ignoreQuit = false;
    bool ignoreClose = false;
    bool hang = false;
    unsigned lifetimeMs = 60u * 60u * 1000u;
};

StandinOptions ReadStandinOptions();

// One line for the window, e.g. "ignores quit; crashes after 1000 ms with code 3".
std::string DescribeOptions(const StandinOptions& options);
