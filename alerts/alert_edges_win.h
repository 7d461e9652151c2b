// The alerts' edges on Windows: WinHTTP, the names' code page, the clock
// and the computer's name.
#pragma once

#include <string>

#include "alerts/alert_sender.h"

AlertEdges SystemAlertEdges();

// A text in the names' code page (the system's ANSI code page), as the
// system's wide functions take it.
std::wstring WideFromCodePage(const std::string& text);
