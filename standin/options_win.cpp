#include "standin/options_win.h"

#include <windows.h>

#include <cstdlib>

#include "standin/standin_protocol.h"

namespace {

bool ReadVariable(const char* name, std::string& value)
{
    char buffer[64];
    const DWORD length = ::GetEnvironmentVariableA(name, buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer)
        return false;
    value.assign(buffer, length);
    return true;
}

// Unset, empty or not a number: the default stays.
void ReadNumber(const char* name, unsigned& number)
{
    std::string text;
    if (!ReadVariable(name, text))
        return;
    char* end = nullptr;
    const unsigned long parsed = std::strtoul(text.c_str(), &end, 10);
    if (end != text.c_str() && *end == '\0')
        number = static_cast<unsigned>(parsed);
}

bool ReadSwitch(const char* name)
{
    std::string text;
    return ReadVariable(name, text) && text == "1";
}

}  // namespace

StandinOptions ReadStandinOptions()
{
    StandinOptions options;
    ReadNumber(standin::kExitAfterMsVariable, options.exitAfterMs);
    unsigned exitCode = static_cast<unsigned>(options.exitCode);
    ReadNumber(standin::kExitCodeVariable, exitCode);
    options.exitCode = static_cast<int>(exitCode);
    options.ignoreQuit = ReadSwitch(standin::kIgnoreQuitVariable);
    options.ignoreClose = ReadSwitch(standin::kIgnoreCloseVariable);
    options.hang = ReadSwitch(standin::kHangVariable);
    unsigned lifetimeMs = 0;
    ReadNumber(standin::kLifetimeMsVariable, lifetimeMs);
    // Never unbounded: 0 keeps the default, so nothing outlives a test run.
    if (lifetimeMs != 0)
        options.lifetimeMs = lifetimeMs;
    return options;
}

std::string DescribeOptions(const StandinOptions& options)
{
    std::string text;
    if (options.ignoreQuit)
        text += "ignores quit; ";
    if (options.ignoreClose)
        text += "ignores close; ";
    if (options.hang)
        text += "hangs; ";
    if (options.exitAfterMs != 0)
        text += "crashes after " + std::to_string(options.exitAfterMs) + " ms with code " +
                std::to_string(options.exitCode) + "; ";
    text += "ends by itself after " + std::to_string(options.lifetimeMs / 1000) + " s";
    return text;
}
