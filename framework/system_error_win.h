// The system's own words for an error code.
#pragma once

#include <windows.h>

#include <string>

// As a sentence without its full stop; "system error N" when the system has
// no words for it.
std::string SystemErrorText(DWORD error);
