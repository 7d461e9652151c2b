#include "standin/options_win.h"

#include <windows.h>

#include <climits>
#include <cstdlib>
#include <sstream>

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

// Digits only, up to the largest exit code a process can have.
bool ParseDecimal(const std::string& text, unsigned& number)
{
    if (text.empty() || text.size() > 10 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const unsigned long long parsed = std::strtoull(text.c_str(), nullptr, 10);
    if (parsed > UINT_MAX)
        return false;
    number = static_cast<unsigned>(parsed);
    return true;
}

// Unset, empty or not a number: the default stays.
void ReadNumber(const char* name, unsigned& number)
{
    std::string text;
    if (ReadVariable(name, text))
        ParseDecimal(text, number);
}

bool ReadSwitch(const char* name)
{
    std::string text;
    return ReadVariable(name, text) && text == "1";
}

// The variables reach every server a launcher starts; the switch reaches one
// server among several, through a setting's text, which the tool passes on
// unquoted. Without both words, or with words that are not a number of
// milliseconds and an exit code (or the access violation's word), it is
// ignored, as the game's server ignores a switch it does not know.
void ReadExitSwitch(StandinOptions& options)
{
    std::istringstream words(::GetCommandLineA());
    std::string word;
    while (words >> word && word != standin::kExitAfterSwitch) {
    }
    std::string after;
    std::string code;
    unsigned afterMs = 0;
    unsigned exitCode = 0;
    if (!(words >> after >> code) || !ParseDecimal(after, afterMs) || afterMs == 0)
        return;
    const bool accessViolation = code == standin::kAccessViolationWord;
    if (!accessViolation && !ParseDecimal(code, exitCode))
        return;
    options.exitAfterMs = afterMs;
    options.exitCode = exitCode;
    options.accessViolation = accessViolation;
}

}  // namespace

StandinOptions ReadStandinOptions()
{
    StandinOptions options;
    ReadNumber(standin::kExitAfterMsVariable, options.exitAfterMs);
    ReadNumber(standin::kExitCodeVariable, options.exitCode);
    ReadExitSwitch(options);
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
        text += "crashes after " + std::to_string(options.exitAfterMs) + " ms " +
                (options.accessViolation ? std::string("by an access violation")
                                         : "with code " + std::to_string(options.exitCode)) +
                "; ";
    text += "ends by itself after " + std::to_string(options.lifetimeMs / 1000) + " s";
    return text;
}
