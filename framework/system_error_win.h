// The system's own words for an error code.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

// As a sentence without its full stop; "system error N" when the system has
// no words for it.
std::string SystemErrorText(DWORD error);
// The words of the module's own messages (a system library's that has its
// own errors), then the system's; none when neither has words for it.
std::optional<std::string> SystemErrorWords(DWORD error, HMODULE messages = nullptr);
